#pragma once

#include <QObject>
#include <QRect>
#include <QStringList>

#include "batch/FileOutcome.h"

class ImageElement;
class QLabel;
class QTimer;

// The time-driven progress bar: three images (left cap, stretched body,
// right cap) and a caption, driven by the batch's signals and by its own
// one-second timer. Positions are computed in twips with single-precision
// values and shown in pixels.
class ProgressDisplay : public QObject {
    Q_OBJECT
public:
    static constexpr int lastShownPercent = 98;

    ProgressDisplay(ImageElement *left, ImageElement *body, ImageElement *right, QLabel *caption,
                    QTimer *timer, QObject *parent = nullptr);

    qint32 percent() const { return m_percent; }
    void resetPercent() { m_percent = 0; }

    // A word for the user outside a batch (the next batch's steps replace it).
    void notice(const QString &text) { setCaption(text); }

    // The batch's steps, as its signals report them.
    void batchStarted();
    void fileLoading(int left, const QString &source = {});
    void fileStarted(int left);
    // Waiting for a folder's listing: how many WAV files it found so far.
    void listing(int found);
    void fileFinished(const FileOutcome &file);
    void batchFinished(const BatchSummary &summary);
    // Stopped by the user: how many were converted, on the empty track.
    void batchStopped(const BatchSummary &summary);
    // One more line under the caption's tip (a log that could not be written).
    void addTipLine(const QString &line);

    // One second passed.
    void Timer2_Timer();

    // Twip values, for checking the geometry.
    float bodyLeft() const { return m_bodyLeft; }
    float bodyWidth() const { return m_bodyWidth; }
    float rightLeft() const { return m_rightLeft; }

    // The body width that a percentage update computes for p.
    static float bodyWidthAt(int p);

private:
    void percentageUpdate();
    void fullBar();
    void setCaption(const QString &caption);
    void setPlainToolTip(const QStringList &lines);
    void setBodyLeft(float twips);
    void setBodyWidth(float twips);
    void setRightLeft(float twips);

    ImageElement *m_left;
    ImageElement *m_body;
    ImageElement *m_right;
    QLabel *m_caption;
    QTimer *Timer2;
    qint32 m_percent = 0;
    int m_filesLeft = 0;
    float m_bodyLeft;
    float m_bodyWidth;
    float m_rightLeft;
    QRect m_captionBox; // the caption's box in the layout: its text centres there
    QStringList m_tipLines; // the tip as text, when there is one
};
