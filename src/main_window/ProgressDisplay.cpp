#include "ProgressDisplay.h"

#include "BatchTexts.h"

#include "skin/ImageElement.h"
#include "skin/MainLayout.h"

#include <QDir>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr ProgressTrackTwips track = progressTrackTwips;

int toPixels(float twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

float toTwips(int pixels)
{
    return static_cast<float>(pixels) * twipsPerPixel;
}


} // namespace

ProgressDisplay::ProgressDisplay(ImageElement *left, ImageElement *body, ImageElement *right,
                                 QLabel *caption, QTimer *timer, QObject *parent)
    : QObject(parent), m_left(left), m_body(body), m_right(right), m_caption(caption), Timer2(timer),
      m_bodyLeft(toTwips(body->x())), m_bodyWidth(toTwips(body->width())),
      m_rightLeft(toTwips(right->x())), m_captionBox(caption->geometry())
{
    connect(Timer2, &QTimer::timeout, this, &ProgressDisplay::Timer2_Timer);
}

float ProgressDisplay::bodyWidthAt(int p)
{
    return (track.trackEnd - track.leftCapLeft) * (static_cast<float>(p) / 100.0f) - track.rightCapWidth
           + 7.0f;
}

void ProgressDisplay::setBodyLeft(float twips)
{
    m_bodyLeft = twips;
    m_body->move(toPixels(twips), m_body->y());
}

void ProgressDisplay::setBodyWidth(float twips)
{
    if (twips < 0.0f)
        return; // a negative width is rejected; the body keeps its width
    m_bodyWidth = twips;
    // Less than a pixel still shows as one pixel, so the bar never vanishes.
    m_body->resize(std::max(1, toPixels(twips)), m_body->height());
}

void ProgressDisplay::setRightLeft(float twips)
{
    m_rightLeft = twips;
    m_right->move(toPixels(twips), m_right->y());
}

void ProgressDisplay::setCaption(const QString &caption)
{
    m_caption->setText(caption);
    // A longer text widens the box on both sides: it stays centred, and
    // within the window (long counts, long languages).
    const QSize text = m_caption->sizeHint();
    const int width = std::max(m_captionBox.width(), text.width());
    int x = m_captionBox.x() + (m_captionBox.width() - width) / 2;
    if (const QWidget *window = m_caption->parentWidget())
        x = std::max(0, std::min(x, window->width() - width));
    m_caption->setGeometry(x, m_captionBox.y(), width, std::max(m_captionBox.height(), text.height()));
}

void ProgressDisplay::percentageUpdate()
{
    const float p = static_cast<float>(m_percent) / 100.0f;
    setBodyLeft(track.leftCapLeft + track.leftCapWidth);
    setRightLeft((track.trackEnd - track.leftCapLeft) * p + track.leftCapLeft);
    setBodyWidth(bodyWidthAt(m_percent));
    setCaption(BatchTexts::percent(m_percent, m_filesLeft));
}

void ProgressDisplay::fullBar()
{
    setRightLeft(track.trackEnd);
    setBodyLeft(track.leftCapLeft + track.leftCapWidth);
    setBodyWidth(m_rightLeft - track.leftCapLeft - track.rightCapWidth + 5.0f);
}

void ProgressDisplay::batchStarted()
{
    m_caption->setToolTip(QString());
    m_tipLines.clear();
}

void ProgressDisplay::fileLoading(int left, const QString &source)
{
    setCaption(BatchTexts::loading(left));
    // Which file, while it is converted (plain text: a name is no markup).
    if (!source.isEmpty())
        setPlainToolTip({BatchTexts::converting(QDir::toNativeSeparators(source), left), BatchTexts::stopHint()});
}

void ProgressDisplay::batchStopped(const BatchSummary &summary)
{
    Timer2->stop();
    m_left->hide();
    m_body->hide();
    m_right->hide();
    setCaption(BatchTexts::stopped(int(summary.total - summary.failed.size() - summary.skipped)));
    m_caption->setToolTip(QString());
    m_tipLines.clear();
}

void ProgressDisplay::listing(int found)
{
    Timer2->stop();
    m_left->hide();
    m_body->hide();
    m_right->hide();
    setCaption(BatchTexts::listing(found));
    setPlainToolTip({BatchTexts::stopHint()});
}

void ProgressDisplay::fileStarted(int left)
{
    m_filesLeft = left;
    m_percent = 0;
    setCaption(QStringLiteral("0%"));
    setBodyWidth(1.0f);
    setBodyLeft(track.leftCapLeft + track.leftCapWidth);
    setRightLeft(m_bodyLeft + m_bodyWidth);
    m_right->show();
    m_left->show();
    m_body->show();
    m_percent += 1;
    percentageUpdate();
    Timer2->start();
}

void ProgressDisplay::fileFinished(const FileOutcome &file)
{
    m_filesLeft = file.left;
    fullBar();
    setCaption(BatchTexts::finished(!file.converted && !file.skipped, file.left));
    Timer2->stop();
}

void ProgressDisplay::batchFinished(const BatchSummary &summary)
{
    if (summary.failed.isEmpty()) {
        m_caption->setToolTip(QString());
    m_tipLines.clear();
        if (summary.skipped > 0)
            setCaption(BatchTexts::done(summary));
        return;
    }
    // A batch with failures is not "done": the caption stands on the empty
    // track, not on a full bar.
    m_left->hide();
    m_body->hide();
    m_right->hide();
    setCaption(BatchTexts::failedOf(int(summary.failed.size()), summary.total));
    // A tip fits on the screen: the first failures, then how many more
    // (all of them are in the failure log). Names are text, never markup.
    constexpr qsizetype shown = 30;
    QStringList lines;
    for (qsizetype i = 0; i < std::min(shown, summary.failed.size()); ++i) {
        const FileOutcome &file = summary.failed.at(i);
        lines << file.source + QStringLiteral(" \u2014 ") + file.reason;
    }
    if (summary.failed.size() > shown)
        lines << BatchTexts::moreFailures(int(summary.failed.size() - shown));
    setPlainToolTip(lines);
}

void ProgressDisplay::addTipLine(const QString &line)
{
    setPlainToolTip(m_tipLines + QStringList{line});
}

void ProgressDisplay::setPlainToolTip(const QStringList &lines)
{
    m_tipLines = lines;
    // Rich text that only lays out lines: a name in them is never markup.
    QStringList escaped;
    for (const QString &line : lines)
        escaped << line.toHtmlEscaped();
    m_caption->setToolTip(QStringLiteral("<p style=\"white-space:pre\">") + escaped.join(QStringLiteral("<br>"))
                          + QStringLiteral("</p>"));
}

void ProgressDisplay::Timer2_Timer()
{
    m_percent += 1;
    percentageUpdate();
    if (m_percent > lastShownPercent) {
        fullBar();
        setCaption(BatchTexts::pleaseWait());
        Timer2->stop();
    }
}
