#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

// A call posted to an object's own thread at low priority, so that it runs
// after what the window asked for before it: Qt posts its paint requests
// at that priority too, and a caption set for one step of the batch is on
// screen before the next step runs. The receiver passes its events to
// deliver() first.
class LaterStep : public QEvent {
public:
    static void post(QObject *receiver, std::function<void()> call);
    // Runs the call when `event` is one; false for any other event.
    static bool deliver(QEvent *event);

private:
    explicit LaterStep(std::function<void()> call);
    ~LaterStep() override;
    static QEvent::Type type();
    std::function<void()> m_call;
};
