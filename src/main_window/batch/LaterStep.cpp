#include "LaterStep.h"

#include <QCoreApplication>

// Qt's own locks are not seen by ThreadSanitizer (Qt is not built with
// it): the hand-over of a call from a worker thread to the receiver's
// thread is told to it here, the one place where the batch's threads meet.
#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define TOLVIK_HANDED_OVER(event) __tsan_release(event)
#define TOLVIK_TAKEN_OVER(event) __tsan_acquire(event)
#else
#define TOLVIK_HANDED_OVER(event) (void)(event)
#define TOLVIK_TAKEN_OVER(event) (void)(event)
#endif

LaterStep::LaterStep(std::function<void()> call) : QEvent(type()), m_call(std::move(call)) {}

LaterStep::~LaterStep()
{
    TOLVIK_TAKEN_OVER(this); // also when it is dropped undelivered
}

QEvent::Type LaterStep::type()
{
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
}

void LaterStep::post(QObject *receiver, std::function<void()> call)
{
    auto *event = new LaterStep(std::move(call));
    TOLVIK_HANDED_OVER(event);
    QCoreApplication::postEvent(receiver, event, Qt::LowEventPriority);
}

bool LaterStep::deliver(QEvent *event)
{
    if (event->type() != type())
        return false;
    TOLVIK_TAKEN_OVER(event);
    static_cast<LaterStep *>(event)->m_call();
    return true;
}
