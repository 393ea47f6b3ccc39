// The time-driven progress display on its own, in twips as the layout
// defines it, driven the way the batch's signals drive it.
#include "TestSupport.h"
#include "main_window/ProgressDisplay.h"
#include "skin/ImageElement.h"

#include <QDirIterator>
#include <QImageReader>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

// The progress controls as the main window's layout places them.
struct Bar {
    QWidget host;
    ImageElement *left = new ImageElement(&host);
    ImageElement *body = new ImageElement(&host);
    ImageElement *right = new ImageElement(&host);
    QLabel *caption = [this] {
        auto *label = new QLabel(QStringLiteral("0%"), &host);
        label->setGeometry(111, 194, 20, 14);
        label->setAlignment(Qt::AlignCenter);
        return label;
    }();
    QTimer *timer = new QTimer(&host);
    ProgressDisplay progress{left, body, right, caption, timer};

    Bar()
    {
        left->setGeometry(15, 195, 5, 14);
        body->setStretch(true);
        body->setGeometry(19, 195, 1, 14);
        right->setGeometry(217, 195, 5, 14);
        for (QWidget *image : {left, body, right})
            image->hide();
        timer->setInterval(1000);
        host.show();
    }
};

} // namespace

class ProgressTest : public QObject {
    Q_OBJECT

private slots:
    // Every picture of the skin loads with the image plugins the program
    // ships (JPEG, ICO and CUR are plugins; on Windows, DLLs of their own).
    void everySkinPictureLoads()
    {
        int pictures = 0;
        for (QDirIterator it(QStringLiteral(":/skin"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            QImageReader reader(it.next());
            QVERIFY2(!reader.read().isNull(), qPrintable(it.filePath() + QStringLiteral(": ") + reader.errorString()));
            ++pictures;
        }
        QCOMPARE(pictures, 37); // 20, and 17 twins for scaled screens
    }

    void widthsOfThePercentageUpdate()
    {
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(1) - (-37.8f)) < 0.01f);
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(2) - (-7.6f)) < 0.01f);
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(3) - 22.6f) < 0.01f);
        QVERIFY(qAbs(ProgressDisplay::bodyWidthAt(99) - 2921.8f) < 0.01f);
    }

    void ticksUpToPleaseWait()
    {
        Bar bar;
        ProgressDisplay &progress = bar.progress;
        progress.fileStarted(0);
        QCOMPARE(progress.percent(), 1);
        QCOMPARE(bar.caption->text(), QStringLiteral("1%(0 files left)"));
        QVERIFY(bar.body->isVisible());
        QVERIFY(bar.timer->isActive());
        QCOMPARE(progress.bodyWidth(), 1.0f); // −37.8 is not applied
        QCOMPARE(progress.bodyLeft(), 305.0f);

        // Drive the timer fast: each tick is one second of the real display.
        QStringList shown;
        connect(bar.timer, &QTimer::timeout, this, [&] {
            shown << bar.caption->text();
            if (progress.percent() == 2)
                QCOMPARE(progress.bodyWidth(), 1.0f); // −7.6 is not applied either
            if (progress.percent() == 3)
                QVERIFY(qAbs(progress.bodyWidth() - 22.6f) < 0.01f);
        });
        bar.timer->setInterval(1);
        QTRY_VERIFY_WITH_TIMEOUT(!bar.timer->isActive(), 10000);
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
        QCOMPARE(bar.right->x(), 217);
        QCOMPARE(bar.body->geometry(), QRect(20, 195, 197, 14));

        // A new file starts again from 1 %.
        progress.fileStarted(0);
        QCOMPARE(bar.caption->text(), QStringLiteral("1%(0 files left)"));
        QCOMPARE(progress.rightLeft(), 230.0f + 30.2f);
    }

    void captionsFollowTheBatch()
    {
        Bar bar;
        ProgressDisplay &progress = bar.progress;
        progress.batchStarted();
        progress.fileLoading(3);
        QCOMPARE(bar.caption->text(), QStringLiteral("Loading...3 files left)"));
        progress.fileStarted(3);
        QCOMPARE(bar.caption->text(), QStringLiteral("1%(3 files left)"));
        progress.fileFinished({{}, true, {}, {}, 2});
        QCOMPARE(bar.caption->text(), QStringLiteral("100%(2 files left)"));
        QVERIFY(!bar.timer->isActive());
        QCOMPARE(progress.bodyWidth(), 2950.0f);
        progress.fileStarted(2);
        progress.fileFinished({{}, false, {}, {}, 1});
        QCOMPARE(bar.caption->text(), QStringLiteral("Failed(1 files left)"));

        const int centre = bar.caption->geometry().center().x();
        progress.batchFinished({{}, 3});
        QCOMPARE(bar.caption->text(), QStringLiteral("Failed(1 files left)"));
        QVERIFY(bar.body->isVisible());
        progress.batchFinished({{{QStringLiteral("/a.wav"), false, {}, QStringLiteral("not audio"), 2},
                                {QStringLiteral("/b.wav"), false, {}, QStringLiteral("missing"), 1}},
                               3});
        QCOMPARE(bar.caption->text(), QStringLiteral("2 of 3 files failed"));
        QCOMPARE(test::plainTip(bar.caption->toolTip()), QStringLiteral("/a.wav \u2014 not audio\n/b.wav \u2014 missing"));

        // Names are text, never markup, and a tip of many failures fits on
        // the screen: the first ones, then how many more.
        QList<FileOutcome> many;
        for (int i = 0; i < 100000; ++i)
            many.append({QStringLiteral("/<b><!--x%1.wav").arg(i), false, {}, QStringLiteral("missing"), 0});
        progress.batchFinished({many, 100000});
        const QStringList lines = test::plainTip(bar.caption->toolTip()).split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("/<b><!--x0.wav \u2014 missing"));
        QVERIFY2(lines.size() <= 40, qPrintable(QString::number(lines.size())));
        QCOMPARE(lines.last(), QStringLiteral("\u2026 and 99970 more (see the failure log)"));
        // Not "done": the caption stands on the empty track, centred as before.
        QVERIFY(!bar.body->isVisible() && !bar.left->isVisible() && !bar.right->isVisible());
        QVERIFY(qAbs(bar.caption->geometry().center().x() - centre) <= 1);
        progress.batchStarted();
        QCOMPARE(bar.caption->toolTip(), QString());
    }
};

QTEST_MAIN(ProgressTest)
#include "test_progress.moc"
