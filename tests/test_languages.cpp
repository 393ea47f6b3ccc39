// The program in every language it speaks: its texts translated, and none
// of them clipped or running out of the window, at the scale the suite is
// run at (×1, and ×2 as a second test).
#include "TestSupport.h"
#include "main_window/BatchTexts.h"
#include "main_window/FrmMain.h"
#include "main_window/Installation.h"
#include "main_window/ProgressDisplay.h"
#include "skin/ImageElement.h"
#include "skin/UserLanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class LanguagesTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;

    // A label or button whose text overflows its box or the window.
    static QString overflow(const QWidget *widget, const QString &text)
    {
        if (text.isEmpty())
            return {};
        const QFontMetrics metrics(widget->font());
        const auto *label = qobject_cast<const QLabel *>(widget);
        const int room = label ? widget->contentsRect().width() : widget->width() - 8; // a button's frame
        const QRect needed = label && label->wordWrap()
                                 ? metrics.boundingRect(QRect(0, 0, room, 10000), Qt::TextWordWrap, text)
                                 : QRect(0, 0, metrics.horizontalAdvance(text), metrics.height());
        const QRect inWindow(widget->mapTo(widget->window(), QPoint()), widget->size());
        if (needed.width() > room || needed.height() > widget->height() + 1)
            return QStringLiteral("%1: \"%2\" needs %3×%4, has %5×%6")
                .arg(widget->objectName(), text).arg(needed.width()).arg(needed.height()).arg(room).arg(widget->height());
        if (!widget->window()->rect().contains(inWindow))
            return QStringLiteral("%1: \"%2\" runs out of the window").arg(widget->objectName(), text);
        return {};
    }

    static QStringList overflows(const QWidget *window)
    {
        QStringList found;
        // (Hidden ones are checked when they show.)
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (label->isVisibleTo(window))
                found << overflow(label, label->text());
        }
        for (const QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (button->isVisibleTo(window))
                found << overflow(button, button->text());
        }
        found.removeAll(QString());
        return found;
    }

private slots:
    void initTestCase() { QVERIFY(m_tmp.isValid()); }

    void everyTextTranslatedAndInItsPlace_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("exit");      // the close picture's tip
        QTest::addColumn<QString>("stop");      // the batch's menu entry
        QTest::addColumn<QString>("twoFiles");  // a plural form
        QTest::newRow("English") << "en" << "Exit" << "Stop" << "Done: 2 of 2 files converted";
        QTest::newRow("German") << "de" << "Beenden" << "Anhalten" << "Fertig: 2 von 2 Dateien konvertiert";
        QTest::newRow("French") << "fr" << "Quitter" << "Arrêter" << "Terminé : 2 fichiers sur 2 convertis";
        QTest::newRow("Spanish") << "es" << "Salir" << "Detener" << "Hecho: 2 de 2 archivos convertidos";
        QTest::newRow("Brazilian Portuguese") << "pt_BR" << "Sair" << "Parar" << "Concluído: 2 de 2 arquivos convertidos";
        QTest::newRow("Russian") << "ru" << "Выход" << "Остановить" << "Готово: преобразовано 2 из 2 файлов";
        QTest::newRow("Simplified Chinese") << "zh_CN" << "退出" << "停止" << "完成：2 个文件中已转换 2 个";
        QTest::newRow("Japanese") << "ja" << "終了" << "停止" << "完了：2 個中 2 個を変換";
    }

    void everyTextTranslatedAndInItsPlace()
    {
        QFETCH(QString, language);
        QFETCH(QString, exit);
        QFETCH(QString, stop);
        QFETCH(QString, twoFiles);
        UserLanguage::use(QLocale(language));
        auto w = test::loadedMainWindow(m_tmp.path());
        QVERIFY(w);
        QCOMPARE(w->control<QWidget>("imgExit")->toolTip(), exit);
        QStringList actions;
        for (const QAction *action : w->actions())
            actions << action->text();
        QVERIFY2(actions.contains(stop), qPrintable(actions.join(QLatin1String(", "))));
        // The help in the same language, as the page says of itself.
        QFile help(Installation{test::programDir(), m_tmp.path(), {}}.helpFile());
        QVERIFY2(help.open(QIODevice::ReadOnly), qPrintable(help.fileName()));
        const QString lang = QString(language).replace(QLatin1Char('_'), QLatin1Char('-'));
        QVERIFY2(help.readAll().contains("<html lang=\"" + lang.toLatin1() + "\">"), qPrintable(help.fileName()));

        // The captions of a batch, with counts as long as they come.
        ProgressDisplay progress(w->control<ImageElement>("imgPBLeft"), w->control<ImageElement>("imgPB"),
                                 w->control<ImageElement>("imgPBRight"), w->control<QLabel>("lblPb"),
                                 w->control<QTimer>("Timer2"));
        auto *caption = w->control<QLabel>("lblPb");
        QStringList found = overflows(w.get());
        BatchSummary twoDone;
        twoDone.total = 2;
        QCOMPARE(BatchTexts::done(twoDone), twoFiles);
        const auto check = [&] { found << overflow(caption, caption->text()); };
        progress.fileLoading(12345, QStringLiteral("x.wav"));
        check();
        progress.fileStarted(12345);
        check();
        progress.listing(123456);
        check();
        BatchSummary summary;
        summary.total = 12345;
        summary.failed = QList<FileOutcome>(1234);
        progress.batchFinished(summary);
        check();
        summary.failed.clear();
        summary.skipped = 1234;
        progress.batchFinished(summary);
        check();
        progress.batchStopped(summary);
        check();

        // The feedback window, through each of its notices.
        QTest::mouseClick(w->control<QWidget>("lblFeed"), Qt::LeftButton);
        QWidget *feedback = nullptr;
        const auto feedbackShown = [&feedback] {
            for (QWidget *top : QApplication::topLevelWidgets())
                feedback = top->objectName() == QLatin1String("frmSuggest") && top->isVisible() ? top : feedback;
            return feedback != nullptr;
        };
        QTRY_VERIFY(feedbackShown());
        auto *send = feedback->findChild<ImageElement *>(QStringLiteral("imgSend"));
        auto *status = feedback->findChild<QLabel *>(QStringLiteral("lblSending"));
        found << overflows(feedback);
        for (const char *field : {"txtName", "txtEMail", "txtComment", ""}) {
            QTest::mouseClick(send, Qt::LeftButton);
            found << overflow(status, status->text());
            if (*field)
                feedback->findChild<QLineEdit *>(QLatin1String(field))->setText(QStringLiteral("a@example.org"));
        }
        feedback->close();
        found.removeAll(QString());
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        UserLanguage::use(QLocale(QLocale::English));
    }
};

QTEST_MAIN(LanguagesTest)
#include "test_languages.moc"
