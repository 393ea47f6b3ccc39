#pragma once

#include "skin/SkinnedWindow.h"

class FeedbackRequest;
class ImageElement;
class QLabel;
class QLineEdit;
class QPushButton;
class SpokenStatus;

// The feedback window: name, e-mail address and comment, sent to the
// maker's server as one request. Frameless and skinned, modeless, with no
// owner; it is destroyed when closed.
class FrmSuggest : public SkinnedWindow {
    Q_OBJECT
public:
    explicit FrmSuggest(const QString &feedbackHost);

    // Applies the colour key and places the window under `mainWindow`.
    void Form_Load(const QWidget *mainWindow);
    FeedbackRequest *request() const { return wb; }

    // Where the window goes under a main window (outer coordinates).
    static QPoint placementUnder(const QRect &mainFrame, int ownWidth);
    // `wanted` moved the least distance that puts a frame of `size` wholly
    // on `screen` (its top-left corner first, should it not fit at all).
    static QPoint keptOnScreen(QPoint wanted, QSize size, const QRect &screen);
    // Under the main window, or, where there is no room, above it or
    // beside it: on the screen and never behind the main window.
    static QPoint placementBeside(const QRect &mainFrame, QSize size, const QRect &screen);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Command1_Click();
    void imgSend_Click();
    void wb_DocumentComplete(bool accepted);
    void prompt(const QString &text, QLineEdit *field);
    void showStatus(const QString &text, const QString &reason = {});
    void setSendEnabled(bool enabled);

    QString m_host;
    QLineEdit *txtName;
    QLineEdit *txtEMail;
    QLineEdit *txtComment;
    QLabel *lblSending;
    QRect m_statusBox; // where the layout puts the status
    SpokenStatus *m_spoken;
    QPushButton *Command1;
    QPushButton *Command2;
    ImageElement *imgSend;
    ImageElement *imgBack;
    ImageElement *imgExit;
    FeedbackRequest *wb;
};
