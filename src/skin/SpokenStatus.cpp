#include "SpokenStatus.h"

namespace {

constexpr int notices = 6;

} // namespace

SpokenNotice::SpokenNotice(QWidget *window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    setAccessibleName(QStringLiteral("Status"));
    hide();
}

SpokenStatus::SpokenStatus(QWidget *window) : QObject(window)
{
    setObjectName(QStringLiteral("spokenStatus"));
    for (int i = 0; i < notices; ++i)
        m_notices << new SpokenNotice(window);
}

void SpokenStatus::say(const QString &message)
{
    if (message.isEmpty())
        return;
    for (SpokenNotice *notice : m_notices)
        notice->hide();
    SpokenNotice *notice = m_notices.at(m_next);
    m_next = (m_next + 1) % m_notices.size();
    notice->setAccessibleName(message);
    notice->show();
    emit said(message);
}
