#pragma once

#include <QList>
#include <QObject>
#include <QWidget>


// One message as a screen reader meets it: an invisible notification.
class SpokenNotice : public QWidget {
    Q_OBJECT
public:
    explicit SpokenNotice(QWidget *window);
};

// What the window shows in pictures and captions, said to a screen reader:
// each message is a notification shown anew (Orca speaks a notification
// when it appears, and keeps it in its list of notifications). Messages
// take turns among a few notices: a reader drops a notice's showing when
// the same notice shows again before it has spoken.
class SpokenStatus : public QObject {
    Q_OBJECT
public:
    explicit SpokenStatus(QWidget *window);

    void say(const QString &message);

signals:
    void said(const QString &message);

private:
    QList<SpokenNotice *> m_notices;
    qsizetype m_next = 0;
};
