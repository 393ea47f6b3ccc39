#pragma once

#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a frameless window by its bare surface. A move with the left
// button held, once the pointer has travelled the drag distance, hands the
// move to the window manager; where there is none, the window follows the
// pointer itself until the button is released. Every move over the
// surface also asks for the hover reset.
class WindowDrag : public QObject {
    Q_OBJECT
public:
    explicit WindowDrag(QWidget *window);

signals:
    void surfaceMoved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onMove(const QMouseEvent *event);
    QWidget *m_window;
    bool m_pressed = false;
    bool m_dragging = false;
    bool m_manual = false;
    QPoint m_pressGlobal;
    QPoint m_windowAtPress;
};
