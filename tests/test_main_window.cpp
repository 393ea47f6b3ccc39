// The main window after start-up, its face and places, the encoder
// arguments it gives, its private temporary folder and its exit.
#include "TestSupport.h"
#include "main_window/FrmMain.h"
#include "skin/SkinPicture.h"
#include "platform/files/Files.h"
#include "skin/ImageElement.h"
#include "feedback/FrmSuggest.h"
#include "skin/FeedbackLayout.h"
#include "skin/MainLayout.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QDir>
#include <QSettings>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

class MainWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

    std::unique_ptr<FrmMain> loadedWindow(bool *ended = nullptr)
    {
        return test::loadedMainWindow(m_tmp.path(), test::programDir(), {}, ended);
    }

    static void touch(const QString &path, const QByteArray &content = "x")
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private slots:
    void startUpState()
    {
        auto w = loadedWindow();
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("frmMain"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Tolvik"));
        QCOMPARE(w->size(), QSize(395, 219));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w->isVisible());

        QCOMPARE(w->control<QComboBox>("cmbBR")->currentText(), QStringLiteral("128"));
        QCOMPARE(w->control<QComboBox>("cmbR")->currentText(), QStringLiteral("44100"));
        QCOMPARE(w->control<QComboBox>("cmbChannel")->currentText(), QStringLiteral("Stereo"));
        QCOMPARE(w->control<QComboBox>("cmbR")->itemText(6), QStringLiteral("12050"));
        QCOMPARE(w->control<QLineEdit>("txtPath")->text(), test::programDir() + QStringLiteral("/output"));
        QVERIFY(w->control<QLineEdit>("txtPath")->isReadOnly());

        auto *version = w->control<QLabel>("lblVersion");
        QCOMPARE(version->text(), QStringLiteral("Ver 1.0.4"));
        QCOMPARE(version->palette().color(QPalette::WindowText), QColor(180, 235, 225));

        QCOMPARE(w->control<QLabel>("lblPb")->text(), QStringLiteral("0%"));
        for (const char *name : {"imgPB", "imgPBLeft", "imgPBRight"})
            QVERIFY2(w->control<ImageElement>(name)->isHidden(), name);
        QCOMPARE(w->progress().percent(), 0);
        QVERIFY(!w->control<QTimer>("Timer1")->isActive());
        QVERIFY(!w->control<QTimer>("Timer2")->isActive());
        QCOMPARE(w->control<QTimer>("Timer1")->interval(), 100);
        QCOMPARE(w->control<QTimer>("Timer2")->interval(), 1000);
        QCOMPARE(w->control<QListWidget>("lstFile")->count(), 0);
        QCOMPARE(w->control<QLabel>("lblFeed")->font().underline(), true);
    }

    void looksAsDesigned()
    {
        auto w = loadedWindow();
        QVERIFY(w);
        // Every control where its row of the table puts it (the reference
        // pictures below check the table against the design); the holder
        // pictures outside the window.
        FrmSuggest feedback({});
        feedback.Form_Load(nullptr);
        const std::pair<const SkinnedWindow *, const WindowSpec *> windows[] = {{w.get(), &mainWindowSpec()},
                                                                             {&feedback, &feedbackWindowSpec()}};
        for (const auto &[window, layout] : windows) {
            for (const ControlSpec &row : layout->controls) {
                const auto *control = window->findChild<QWidget *>(QLatin1String(row.name));
                if (!control || row.kind == ControlKind::Timer)
                    continue;
                const QRect place(row.x, row.y, row.width, row.height);
                if (row.start == StartState::Outside)
                    QVERIFY2(!window->rect().intersects(control->geometry()), row.name);
                // (Labels and pictures take their text's or picture's size.)
                else if (row.kind != ControlKind::Label && (row.kind != ControlKind::ImageElement || row.stretch))
                    QVERIFY2(control->geometry() == place, qPrintable(QStringLiteral("%1 at %2,%3 %4x%5").arg(row.name)
                        .arg(control->x()).arg(control->y()).arg(control->width()).arg(control->height())));
            }
        }
        QCOMPARE(w->control<QWidget>("lstFile")->parentWidget(), w->control<QWidget>("picDrag"));

        // The whole face against reference pictures. The output field shows
        // a neutral path, not this machine's.
        w->control<QLineEdit>("txtPath")->setText(QStringLiteral("/home/user/Music"));
        // In the run with a second screen of twice the scale, the window is
        // moved there first: its face and pictures must follow the screen.
        if (const QList<QScreen *> screens = QGuiApplication::screens(); screens.size() > 1) {
            w->move(screens[1]->geometry().topLeft() + QPoint(40, 40));
            QTRY_COMPARE(w->screen(), screens[1]);
            QCOMPARE(w->devicePixelRatioF(), 2.0);
        }
        test::compareWithReference(w->grab().toImage(), QStringLiteral("main-window"));
        test::compareWithReference(feedback.grab().toImage(), QStringLiteral("feedback-window"));
    }

    void encoderArgumentsFromTheLists()
    {
        auto w = loadedWindow();
        QVERIFY(w);
        const QString temp = w->tempFolder().path;
        const QStringList startUp{"-i", temp + "/tmpfile.wav", "-y", "-ab", "128k", "-ar", "44100",
                                  "-ac", "2", temp + "/tmpfile1.mp3"};
        QCOMPARE(w->batch().encoderArguments(), startUp);
        w->control<QComboBox>("cmbChannel")->setCurrentText(QStringLiteral("Mono"));
        w->control<QComboBox>("cmbR")->setCurrentText(QStringLiteral("12050"));
        w->control<QComboBox>("cmbBR")->setCurrentText(QStringLiteral("32"));
        QStringList mono = startUp;
        mono[4] = QStringLiteral("32k");
        mono[6] = QStringLiteral("12050");
        mono[8] = QStringLiteral("1");
        QCOMPARE(w->batch().encoderArguments(), mono);
    }

    void stackingAndTabOrder()
    {
        auto w = loadedWindow();
        QVERIFY(w);
        // Child windows lie above windowless elements: the arrow box, not
        // the list, takes a click at the right end of a closed list.
        QCOMPARE(w->childAt(88 + 10, 56 + 10)->objectName(), QStringLiteral("picButtonBR"));
        QCOMPARE(w->childAt(206 + 10, 104 + 10)->objectName(), QStringLiteral("picButtonChannel"));
        // The browse hot spot lies over the painted button.
        QCOMPARE(w->childAt(182 + 20, 150 + 10)->objectName(), QStringLiteral("imgBrowse"));

        // Every visible control a keyboard uses, in reading order.
        const QStringList expected{"cmbBR", "cmbR", "cmbChannel", "txtPath", "imgBrowse",
                                   "picDrag", "lblFeed", "imgHelp", "imgMin", "imgExit"};
        QWidget *focus = w->control<QWidget>("cmbBR");
        QStringList chain;
        for (int i = 0; i < expected.size(); ++i) {
            chain << focus->objectName();
            do {
                focus = focus->nextInFocusChain();
            } while (!(focus->focusPolicy() & Qt::TabFocus) || !focus->isVisibleTo(w.get())
                     || focus->objectName().isEmpty());
        }
        QCOMPARE(chain, expected);

        // A screen reader names every one of them; picture controls are
        // buttons it can press.
        for (const QString &name : expected) {
            QWidget *widget = w->findChild<QWidget *>(name);
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(spoken && !spoken->text(QAccessible::Name).isEmpty(), qPrintable(name + " has no name"));
            if (qobject_cast<SkinPicture *>(widget))
                QVERIFY2(spoken->role() == QAccessible::Button, qPrintable(name + " is no button"));
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(w->control<QWidget>("lblPb"))->text(QAccessible::Name),
                 QStringLiteral("0%")); // the caption is read as it changes

        // Space presses the focused control, as does a screen reader.
        auto *minimise = w->control<SkinPicture>("imgMin");
        minimise->setFocus();
        QTest::keyClick(minimise, Qt::Key_Space);
        QTRY_VERIFY(w->isMinimized());
        w->showNormal();
        QTRY_VERIFY(!w->isMinimized());
        QAccessible::queryAccessibleInterface(minimise)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(w->isMinimized());
        w->showNormal();
    }

    void privateTemporaryFolder()
    {
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("tolvik-%1").arg(::getuid()));

        // Made anew with no access for others.
        platform::PrivateFolder made = platform::preparePrivateFolder(base.path());
        QVERIFY(made.usable);
        QCOMPARE(made.path, folder);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(folder).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0700u);

        // An existing one and its files are left as they are.
        touch(folder + QStringLiteral("/tmpfile.wav"), "left over");
        QVERIFY(platform::preparePrivateFolder(base.path()).usable);
        QFile leftover(folder + QStringLiteral("/tmpfile.wav"));
        QVERIFY(leftover.open(QIODevice::ReadOnly));
        QCOMPARE(leftover.readAll(), QByteArray("left over"));

        // Not used when it is open to others, a link (even to a private
        // folder) or another user's: a folder of the user's own instead.
        const auto notUsed = [](const QString &base, const QString &taken) {
            const platform::PrivateFolder instead = platform::preparePrivateFolder(base);
            struct stat own {};
            return instead.path != taken && instead.usable
                   && ::lstat(QFile::encodeName(instead.path).constData(), &own) == 0 && S_ISDIR(own.st_mode)
                   && (own.st_mode & 0777) == 0700;
        };
        ::chmod(QFile::encodeName(folder).constData(), 0770);
        QVERIFY(notUsed(base.path(), folder));
        ::chmod(QFile::encodeName(folder).constData(), 0700);

        QTemporaryDir elsewhere;
        QTemporaryDir base2;
        const QString link = base2.filePath(QStringLiteral("tolvik-%1").arg(::getuid()));
        QVERIFY(QFile::link(elsewhere.path(), link));
        QVERIFY(notUsed(base2.path(), link));
        QVERIFY(QDir(elsewhere.path()).isEmpty());

        // (Another user's folder needs root to make.)
        if (::geteuid() == 0) {
            QTemporaryDir base3;
            const QString foreign = base3.filePath(QStringLiteral("tolvik-%1").arg(::getuid()));
            QVERIFY(QDir().mkdir(foreign));
            ::chmod(QFile::encodeName(foreign).constData(), 0700);
            QCOMPARE(::chown(QFile::encodeName(foreign).constData(), 65534, 65534), 0);
            QVERIFY(notUsed(base3.path(), foreign));
        }

        // TMPDIR is used only when it names an existing folder by an absolute path.
        const QByteArray saved = qgetenv("TMPDIR");
        const auto restore = qScopeGuard([&] { qputenv("TMPDIR", saved); });
        touch(base.filePath(QStringLiteral("a-file")));
        const QStringList unusable{"", "relative/tmp", "/no/such/folder", base.filePath(QStringLiteral("a-file"))};
        for (const QString &value : unusable) {
            qputenv("TMPDIR", value.toLocal8Bit());
            QCOMPARE(platform::temporaryBase(), QStringLiteral("/tmp"));
        }
        qunsetenv("TMPDIR");
        QCOMPARE(platform::temporaryBase(), QStringLiteral("/tmp"));
        qputenv("TMPDIR", QFile::encodeName(base.path()));
        QCOMPARE(platform::temporaryBase(), base.path());

        // A program folder without a writable "output" of its own (an
        // installed one): results go to the user's music folder.
        {
            QTemporaryDir installed;
            auto w = test::loadedMainWindow(base.path(), installed.path());
            QVERIFY(w);
            const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
            QCOMPARE(w->control<QLineEdit>("txtPath")->text(), music + QStringLiteral("/Tolvik"));
        }

        // A start-up whose private folder is taken works in one of its own;
        // one whose folder cannot be made at all still completes.
        {
            auto taken = test::loadedMainWindow(base2.path());
            QVERIFY(taken && taken->tempFolder().usable);
            QVERIFY(!taken->tempFolder().path.startsWith(link + QLatin1Char('/')));
        }
        // Nowhere to work at all (nor in the user's own places).
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base.filePath(QStringLiteral("a-file"))));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(base.filePath(QStringLiteral("a-file"))));
        auto w = test::loadedMainWindow(base.filePath(QStringLiteral("no-such-base")));
        qputenv("XDG_RUNTIME_DIR", runtime);
        qunsetenv("XDG_CACHE_HOME");
        QVERIFY(w);
        QVERIFY(!w->tempFolder().usable);
        QCOMPARE(w->control<QLineEdit>("txtPath")->text(), test::programDir() + QStringLiteral("/output"));
    }

    // What the user picks is there at the next start; what the program
    // sets itself is not kept; a kept folder that is gone is said once and
    // the default used.
    void choicesAreKeptAcrossStarts()
    {
        QTemporaryDir base;
        const QString chosen = base.filePath(QStringLiteral("my music"));
        QVERIFY(QDir().mkpath(chosen));
        const QString defaultFolder = test::programDir() + QStringLiteral("/output");
        const auto start = [&](bool first) { return test::loadedMainWindow(base.path(), test::programDir(), {}, nullptr, !first); };
        const auto lists = [](FrmMain &w) {
            QStringList shown;
            for (const char *list : {"cmbBR", "cmbR", "cmbChannel"})
                shown << w.control<QComboBox>(list)->currentText();
            return shown;
        };
        QStringList picked;
        {
            auto w = start(true);
            QVERIFY(w);
            const QStringList firstStart = lists(*w);
            for (const char *list : {"cmbBR", "cmbR", "cmbChannel"}) {
                auto *combo = w->control<QComboBox>(list);
                combo->setFocus();
                QTest::keyClick(combo, Qt::Key_Down); // as the user picks, from the keyboard
            }
            // The folder, browsed to ("..."; the field itself is read-only).
            QTimer::singleShot(0, this, [&] {
                auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->setDirectory(chosen);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            });
            QTest::mouseClick(w->control<ImageElement>("imgBrowse"), Qt::LeftButton);
            QCOMPARE(w->control<QLineEdit>("txtPath")->text(), chosen);
            picked = lists(*w);
            QVERIFY2(picked != firstStart, qPrintable(picked.join(' ')));
            // Earlier results: replaced at first; the other choice is kept.
            const auto choice = [](FrmMain &window, const QString &text) {
                for (QAction *action : window.actions())
                    if (action->text() == text)
                        return action;
                return static_cast<QAction *>(nullptr);
            };
            QVERIFY(choice(*w, QStringLiteral("Replace existing results"))->isChecked());
            choice(*w, QStringLiteral("Skip files already converted"))->trigger();
            w.reset();
            w = start(false);
            QVERIFY(choice(*w, QStringLiteral("Skip files already converted"))->isChecked());
        }
        {
            auto again = start(false);
            QCOMPARE(lists(*again), picked);
            QCOMPARE(again->control<QLineEdit>("txtPath")->text(), chosen);
            // Set by the program (not picked): not kept.
            again->control<QComboBox>("cmbBR")->setCurrentIndex(0);
            again->control<QLineEdit>("txtPath")->setText(defaultFolder);
        }
        QCOMPARE(lists(*start(false)), picked);

        // The folder unplugged: the default, said once.
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tolvik"), QStringLiteral("Tolvik"))
            .setValue(QStringLiteral("outputFolder"), chosen);
        QVERIFY(QDir(chosen).removeRecursively());
        for (int i = 0; i < 2; ++i) {
            auto w = start(false);
            QCOMPARE(w->control<QLineEdit>("txtPath")->text(), defaultFolder);
            const bool said = w->control<QLabel>("lblPb")->text().contains(QLatin1String("gone"));
            QVERIFY2(said == (i == 0), qPrintable(w->control<QLabel>("lblPb")->text()));
        }
    }

    void exitDeletesTheTemporaryFiles()
    {
        bool ended = false;
        auto w = loadedWindow(&ended);
        QVERIFY(w);
        QVERIFY(w->tempFolder().usable);
        const QString wav = w->tempFolder().path + QStringLiteral("/tmpfile.wav");
        const QString mp3 = w->tempFolder().path + QStringLiteral("/tmpfile1.mp3");
        const QString other = w->tempFolder().path + QStringLiteral("/unrelated");
        touch(wav);
        touch(mp3);
        touch(other);
        w->close();
        QVERIFY(ended);
        QVERIFY(!QFile::exists(wav));
        QVERIFY(!QFile::exists(mp3));
        // The run's folder is its own: it goes at exit with all it holds.
        QVERIFY(!QFile::exists(other));
        QVERIFY(!QFileInfo::exists(w->tempFolder().path));

        // Missing files are no error.
        ended = false;
        w->Form_Unload();
        QVERIFY(ended);
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
