#include "LaterStep.h"

#include <QCoreApplication>

LaterStep::LaterStep(std::function<void()> call) : QEvent(type()), m_call(std::move(call)) {}

QEvent::Type LaterStep::type()
{
    static const auto registered = static_cast<QEvent::Type>(QEvent::registerEventType());
    return registered;
}

void LaterStep::post(QObject *receiver, std::function<void()> call)
{
    QCoreApplication::postEvent(receiver, new LaterStep(std::move(call)), Qt::LowEventPriority);
}

bool LaterStep::deliver(QEvent *event)
{
    if (event->type() != type())
        return false;
    static_cast<LaterStep *>(event)->m_call();
    return true;
}
