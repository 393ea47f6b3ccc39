// The time-driven progress display, in twips as the layout defines it.
#include "TestSupport.h"
#include "main_window/FrmMain.h"
#include "skin/ImageElement.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class ProgressTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_tmp;

private slots:
    void widthsOfThePercentageUpdate()
    {
        // Left cap at 230, right cap 75 wide.
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(1, 230, 75) - (-37.8f)) < 0.01f);
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(2, 230, 75) - (-7.6f)) < 0.01f);
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(3, 230, 75) - 22.6f) < 0.01f);
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(99, 230, 75) - 2921.8f) < 0.01f);
    }

    void ticksUpToPleaseWait()
    {
        FrmMain w(Installation{test::programDir(), m_tmp.path(), {}});
        w.setProgramEnd([] {});
        QVERIFY(w.Form_Load());
        ProgressDisplay &progress = w.progress();
        auto *caption = w.control<QLabel>("lblPb");
        auto *body = w.control<ImageElement>("imgPB");
        auto *timer2 = w.control<QTimer>("Timer2");

        progress.fileStart();
        QCOMPARE(progress.percent(), 1);
        QCOMPARE(caption->text(), QStringLiteral("1%(0 files left)"));
        QVERIFY(body->isVisible());
        QCOMPARE(progress.bodyWidth(), 1.0f); // −37.8 is not applied
        QCOMPARE(progress.bodyLeft(), 305.0f);

        // Drive Timer2 fast: each tick is one second of the real display.
        QStringList shown;
        connect(timer2, &QTimer::timeout, this, [&] {
            shown << caption->text();
            if (progress.percent() == 2)
                QCOMPARE(progress.bodyWidth(), 1.0f); // −7.6 is not applied either
            if (progress.percent() == 3)
                QVERIFY(qAbs(progress.bodyWidth() - 22.6f) < 0.01f);
        });
        timer2->setInterval(1);
        timer2->start();
        QTRY_VERIFY_WITH_TIMEOUT(!timer2->isActive(), 10000);
        QCOMPARE(shown.size(), 98);
        QCOMPARE(shown.last(), QStringLiteral("Please Wait..."));
        QCOMPARE(shown.at(96), QStringLiteral("98%(0 files left)"));
        const QRegularExpression percentCaption(QStringLiteral("^(\\d+)%\\("));
        for (const QString &text : shown) {
            const auto match = percentCaption.match(text);
            if (match.hasMatch())
                QVERIFY2(match.captured(1).toInt() <= 98, qPrintable(text));
        }
        // The full bar: width 2950 with the right cap at the track's end.
        QCOMPARE(progress.bodyWidth(), 2950.0f);
        QCOMPARE(progress.rightLeft(), 3250.0f);
        QCOMPARE(w.control<ImageElement>("imgPBRight")->x(), 217);
        QCOMPARE(body->geometry(), QRect(20, 195, 197, 14));

        // A new file starts again from 1 %.
        progress.fileStart();
        QCOMPARE(caption->text(), QStringLiteral("1%(0 files left)"));
        QCOMPARE(progress.rightLeft(), 230.0f + 30.2f);
    }
};

QTEST_MAIN(ProgressTest)
#include "test_progress.moc"
