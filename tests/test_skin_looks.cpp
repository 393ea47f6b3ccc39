// Hover, press and resting looks of the skinned controls, and the actions
// of the window's own buttons (in-process, on the real X server).
#include "TestSupport.h"
#include "main_window/FrmMain.h"
#include "skin/ImageElement.h"
#include "skin/PictureBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

class SkinLooksTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;
    QString m_openLog;
    std::unique_ptr<FrmMain> m_w;

    ImageElement *image(const char *name) { return m_w->control<ImageElement>(name); }
    QImage pictureOf(const char *name)
    {
        if (auto *element = m_w->control<ImageElement>(name))
            return element->picture().toImage();
        return m_w->control<PictureBox>(name)->picture().toImage();
    }
    // Moves are sent as events: the real pointer stays where it is.
    static void moveOver(QWidget *widget, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void hover(const char *name)
    {
        QWidget *control = m_w->control<QWidget>(name);
        moveOver(control, control->rect().center());
    }
    void crossSurface() { moveOver(m_w.get(), QPoint(260, 200)); }
    bool lit(const char *name) { return pictureOf(name) == pictureOf(QByteArray(name).append("Light")); }
    bool buttonLit(const char *name) { return pictureOf(name) == pictureOf("imgButtonLight"); }
    static QWidget *findTopLevel(const char *name)
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String(name))
                return widget;
        return nullptr;
    }
    bool atRest()
    {
        for (const char *hot : {"imgBrowse", "imgMin", "imgExit", "imgHelp"})
            if (image(hot)->hasPicture())
                return false;
        for (const char *box : {"picButtonBR", "picButtonR", "picButtonChannel"})
            if (pictureOf(box) != pictureOf("imgButton"))
                return false;
        return !m_w->control<QLabel>("lblFeed")->font().bold();
    }

private slots:
    void initTestCase()
    {
        m_openLog = m_tmp.filePath(QStringLiteral("opened.log"));
        const QString bin = test::makeXdgOpenStandIn(m_tmp.filePath(QStringLiteral("bin")), m_openLog);
        qputenv("PATH", (bin + QLatin1Char(':')).toLocal8Bit() + qgetenv("PATH"));
    }

    void init()
    {
        // Keep the real pointer off the window: its own moves would reset looks.
        QCursor::setPos(QPoint(0, 0));
        m_w = std::make_unique<FrmMain>(Installation{test::programDir(), m_tmp.path(), {}});
        m_w->setProgramEnd([] {});
        QVERIFY(m_w->Form_Load());
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    }

    void cleanup() { m_w.reset(); }

    void hoverLooksStayUntilTheSurfaceIsCrossed()
    {
        QVERIFY(atRest());
        hover("imgMin");
        QVERIFY(lit("imgMin"));
        hover("imgExit"); // straight from one button onto another
        QVERIFY(lit("imgMin"));
        QVERIFY(lit("imgExit"));
        hover("picButtonR");
        hover("lblFeed");
        QVERIFY(buttonLit("picButtonR"));
        QVERIFY(m_w->control<QLabel>("lblFeed")->font().bold());
        hover("imgHelp");
        hover("imgBrowse");
        hover("picButtonBR");
        hover("picButtonChannel");
        QVERIFY(lit("imgHelp") && lit("imgBrowse") && buttonLit("picButtonBR") && buttonLit("picButtonChannel"));
        QVERIFY(lit("imgExit"));
        // The highlighted "?" takes its picture's size at the hot spot's corner.
        QCOMPARE(image("imgHelp")->geometry(), QRect(332, 8, 12, 17));

        crossSurface();
        QVERIFY(atRest());
    }

    void theBrowsePressLookStaysAfterItsClick()
    {
        auto *browse = image("imgBrowse");
        QTimer::singleShot(300, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                QMetaObject::invokeMethod(dialog, "reject");
        });
        QTest::mouseClick(browse, Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(pictureOf("imgBrowse"), pictureOf("imgBrowseDark"));
        QCOMPARE(m_w->control<QLineEdit>("txtPath")->text(), test::programDir() + QStringLiteral("/output"));
        hover("imgBrowse");
        QVERIFY(lit("imgBrowse"));
        crossSurface();
        QVERIFY(atRest());
    }

    void minimiseLeavesItsButtonAtRest()
    {
        hover("imgMin");
        QVERIFY(lit("imgMin"));
        QTest::mouseClick(image("imgMin"), Qt::LeftButton);
        QTRY_VERIFY(m_w->isMinimized());
        QVERIFY(!image("imgMin")->hasPicture());
        m_w->showNormal();
        QTRY_VERIFY(!m_w->isMinimized());
        QVERIFY(!image("imgMin")->hasPicture());
    }

    void helpOpensTheHelpFile()
    {
        QFile::remove(m_openLog);
        hover("imgHelp");
        QTest::mouseClick(image("imgHelp"), Qt::LeftButton);
        QVERIFY(!image("imgHelp")->hasPicture());
        // The opener writes its log in its own time: the file may exist empty.
        const auto opened = [&] {
            QFile log(m_openLog);
            return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()).trimmed() : QString();
        };
        QTRY_COMPARE(opened(), test::programDir() + QStringLiteral("/help.html"));
        QVERIFY(QFile::exists(test::programDir() + QStringLiteral("/help.html")));
        QVERIFY(!QApplication::topLevelWidgets().contains(m_w->findChild<QWidget *>(QStringLiteral("helpViewer"))));

        // No handler for the page: the program shows it itself.
        const QByteArray path = qgetenv("PATH");
        const QString failing = test::makeXdgOpenStandIn(m_tmp.filePath(QStringLiteral("bin-fails")), m_openLog, 3);
        qputenv("PATH", (failing + QLatin1Char(':')).toLocal8Bit() + path);
        QTest::mouseClick(image("imgHelp"), Qt::LeftButton);
        qputenv("PATH", path);
        QTextEdit *viewer = nullptr;
        QTRY_VERIFY((viewer = qobject_cast<QTextEdit *>(findTopLevel("helpViewer"))) && viewer->isVisible());
        QVERIFY(viewer->toPlainText().contains(QStringLiteral("Tolvik")));
        // Escape closes it.
        QPointer<QTextEdit> open = viewer;
        QTest::keyClick(viewer, Qt::Key_Escape);
        QTRY_VERIFY(!open || !open->isVisible());
    }

    void helpWithoutTheFileStillRestsItsButton()
    {
        QTemporaryDir bare;
        FrmMain w(Installation{bare.path(), m_tmp.path(), {}});
        w.setProgramEnd([] {});
        m_w.reset(); // one instance at a time
        QVERIFY(w.Form_Load());
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QFile::remove(m_openLog);
        auto *help = w.control<ImageElement>("imgHelp");
        moveOver(help, help->rect().center());
        QVERIFY(help->hasPicture());
        QTest::mouseClick(help, Qt::LeftButton);
        QVERIFY(!help->hasPicture());
        QTRY_VERIFY(QFile::exists(m_openLog)); // asked anyway; the desktop finds nothing
        // Nor does the program show an empty page of its own.
        const QByteArray path = qgetenv("PATH");
        const QString failing = test::makeXdgOpenStandIn(m_tmp.filePath(QStringLiteral("bin-fails-bare")), m_openLog, 3);
        qputenv("PATH", (failing + QLatin1Char(':')).toLocal8Bit() + path);
        QTest::mouseClick(help, Qt::LeftButton);
        qputenv("PATH", path);
        QTest::qWait(500);
        QVERIFY2(!findTopLevel("helpViewer") || !findTopLevel("helpViewer")->isVisible(), "an empty help window opened");
    }

    void theLinkTakesOnlyALeftClickOnIt()
    {
        auto *link = m_w->control<QLabel>("lblFeed");
        QTest::mouseClick(link, Qt::RightButton);
        QTest::mouseClick(link, Qt::MiddleButton);
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-30, -30)); // released elsewhere
        QVERIFY(!m_w->feedbackWindow());
        QTest::mouseClick(link, Qt::LeftButton);
        QVERIFY(m_w->feedbackWindow());
        m_w->feedbackWindow()->close();
    }

    void arrowButtonsDropTheirLists()
    {
        const std::pair<const char *, const char *> pairs[] = {
            {"picButtonBR", "cmbBR"}, {"picButtonR", "cmbR"}, {"picButtonChannel", "cmbChannel"}};
        for (const auto &[button, list] : pairs) {
            auto *combo = m_w->control<QComboBox>(list);
            QTest::mouseClick(m_w->control<QWidget>(button), Qt::LeftButton);
            QTRY_VERIFY2(combo->view()->isVisible(), list);
            combo->hidePopup();
            QTRY_VERIFY(!combo->view()->isVisible());
        }
    }

    void exitEndsTheProgramAtOnce()
    {
        bool ended = false;
        m_w->setProgramEnd([&] { ended = true; });
        // Only the left button clicks a picture control.
        for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
            QTest::mouseClick(image("imgExit"), other);
            QVERIFY2(!ended, "a click with another button than the left one ended the program");
        }
        QTest::mouseClick(image("imgExit"), Qt::LeftButton);
        QVERIFY(ended);
    }
};

QTEST_MAIN(SkinLooksTest)
#include "test_skin_looks.moc"
