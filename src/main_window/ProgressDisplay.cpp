#include "ProgressDisplay.h"

#include "skin/ImageElement.h"

#include <QLabel>
#include <QListWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr float twipsPerPixel = 15.0f;

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
                                 QLabel *caption, const QListWidget *sourceList)
    : m_left(left), m_body(body), m_right(right), m_caption(caption), m_sourceList(sourceList),
      m_bodyLeft(toTwips(body->x())), m_bodyWidth(toTwips(body->width())),
      m_rightLeft(toTwips(right->x()))
{
}

// The design positions of the caps are whole twips that pixels cannot
// all hold (230 twips is 15.33 px): keep the layout's own values.
float ProgressDisplay::leftCapLeft() const { return 230.0f; }
float ProgressDisplay::leftCapWidth() const { return 75.0f; }
float ProgressDisplay::rightCapWidth() const { return 75.0f; }

float ProgressDisplay::bodyWidthAt(int p, float leftCapLeft, float rightCapWidth)
{
    return (trackEnd - leftCapLeft) * (static_cast<float>(p) / 100.0f) - rightCapWidth + 7.0f;
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
    // Less than a pixel still shows as one, as on the original display.
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
    m_caption->adjustSize();
}

void ProgressDisplay::percentageUpdate()
{
    const float p = static_cast<float>(m_percent) / 100.0f;
    setBodyLeft(leftCapLeft() + leftCapWidth());
    setRightLeft((trackEnd - leftCapLeft()) * p + leftCapLeft());
    setBodyWidth(bodyWidthAt(m_percent, leftCapLeft(), rightCapWidth()));
    setCaption(QString::number(m_percent) + QStringLiteral("%(")
               + QString::number(m_sourceList->count()) + QStringLiteral(" files left)"));
}

void ProgressDisplay::fileStart()
{
    m_percent = 0;
    setCaption(QStringLiteral("0%"));
    setBodyWidth(1.0f);
    setBodyLeft(leftCapLeft() + leftCapWidth());
    setRightLeft(m_bodyLeft + m_bodyWidth);
    m_right->show();
    m_left->show();
    m_body->show();
    m_percent += 1;
    percentageUpdate();
}

void ProgressDisplay::fullBar()
{
    setRightLeft(trackEnd);
    setBodyLeft(leftCapLeft() + leftCapWidth());
    setBodyWidth(m_rightLeft - leftCapLeft() - rightCapWidth() + 5.0f);
}

bool ProgressDisplay::tick()
{
    m_percent += 1;
    percentageUpdate();
    if (m_percent > lastShownPercent) {
        fullBar();
        setCaption(QStringLiteral("Please Wait..."));
        return true;
    }
    return false;
}
