#pragma once

class QMouseEvent;
class QWidget;

// A click as every skinned control takes it: a press on the control and
// a release over it.
class ClickTracker {
public:
    void press() { m_pressedInside = true; }
    // True when this release completes a click on `control`.
    bool release(const QWidget *control, const QMouseEvent *event);

private:
    bool m_pressedInside = false;
};
