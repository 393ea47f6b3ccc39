#pragma once

#include <QtGlobal>

class ImageElement;
class QLabel;
class QListWidget;
class QString;

// The time-driven progress bar: three images (left cap, stretched body,
// right cap) and a caption. Positions are computed in twips with
// single-precision values and shown in pixels (15 twips a pixel).
class ProgressDisplay {
public:
    static constexpr float trackEnd = 3250.0f; // right cap's x at 100 %
    static constexpr int lastShownPercent = 98;

    ProgressDisplay(ImageElement *left, ImageElement *body, ImageElement *right,
                    QLabel *caption, const QListWidget *sourceList);

    qint32 percent() const { return m_percent; }
    void resetPercent() { m_percent = 0; }

    void fileStart();
    void percentageUpdate();
    void fullBar();
    // One second passed: returns true when the bar is full and the caller
    // must stop ticking.
    bool tick();

    void setCaption(const QString &caption);

    // Twip values, for checking the geometry.
    float bodyLeft() const { return m_bodyLeft; }
    float bodyWidth() const { return m_bodyWidth; }
    float rightLeft() const { return m_rightLeft; }

    // The body width that a percentage update computes for p.
    static float bodyWidthAt(int p, float leftCapLeft, float rightCapWidth);

private:
    void setBodyLeft(float twips);
    void setBodyWidth(float twips);
    void setRightLeft(float twips);
    float leftCapLeft() const;
    float leftCapWidth() const;
    float rightCapWidth() const;

    ImageElement *m_left;
    ImageElement *m_body;
    ImageElement *m_right;
    QLabel *m_caption;
    const QListWidget *m_sourceList;
    qint32 m_percent = 0;
    float m_bodyLeft;
    float m_bodyWidth;
    float m_rightLeft;
};
