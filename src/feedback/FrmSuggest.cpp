#include "FrmSuggest.h"

#include "FeedbackRequest.h"
#include "skin/FeedbackLayout.h"
#include "skin/ImageElement.h"
#include "skin/SkinBehaviour.h"
#include "skin/SpokenStatus.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>
#include <cmath>

FrmSuggest::FrmSuggest(const QString &feedbackHost)
    : SkinnedWindow(feedbackWindowSpec(),
                    [](QWidget *window, const ControlSpec &row) -> QObject * {
                        return row.kind == ControlKind::RequestCarrier ? new FeedbackRequest(window)
                                                                       : nullptr;
                    }),
      m_host(feedbackHost)
{
    setAttribute(Qt::WA_DeleteOnClose);
    txtName = control<QLineEdit>("txtName");
    txtEMail = control<QLineEdit>("txtEMail");
    txtComment = control<QLineEdit>("txtComment");
    lblSending = control<QLabel>("lblSending");
    m_spoken = new SpokenStatus(this);
    Command1 = control<QPushButton>("Command1");
    Command2 = control<QPushButton>("Command2");
    imgSend = control<ImageElement>("imgSend");
    imgBack = control<ImageElement>("imgBack");
    imgExit = control<ImageElement>("imgExit");
    wb = control<FeedbackRequest>("wb");
    m_statusBox = lblSending->geometry();
    new SkinBehaviour(this, feedbackSkinSpec());

    connect(Command1, &QPushButton::clicked, this, &FrmSuggest::Command1_Click);
    connect(imgSend, &ImageElement::clicked, this, &FrmSuggest::imgSend_Click);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    connect(imgBack, &ImageElement::clicked, this, &QWidget::close);
    connect(imgExit, &ImageElement::clicked, this, &QWidget::close);
    connect(wb, &FeedbackRequest::DocumentComplete, this, &FrmSuggest::wb_DocumentComplete);
    // The keyboard: Enter in a field sends (Escape closes: keyPressEvent).
    for (QLineEdit *field : {txtName, txtEMail, txtComment})
        connect(field, &QLineEdit::returnPressed, this, &FrmSuggest::imgSend_Click);
}

QPoint FrmSuggest::placementUnder(const QRect &mainFrame, int ownWidth)
{
    const double left = mainFrame.left() + (mainFrame.width() - ownWidth) / 2.0;
    return {static_cast<int>(std::lround(left)), mainFrame.top() + mainFrame.height()};
}

QPoint FrmSuggest::keptOnScreen(QPoint wanted, QSize size, const QRect &screen)
{
    const int x = std::max(screen.left(), std::min(wanted.x(), screen.right() + 1 - size.width()));
    const int y = std::max(screen.top(), std::min(wanted.y(), screen.bottom() + 1 - size.height()));
    return {x, y};
}

void FrmSuggest::Form_Load(const QWidget *mainWindow)
{
    applyColourKey();
    if (!mainWindow)
        return;
    QPoint place = placementUnder(mainWindow->frameGeometry(), frameGeometry().width());
    // Under a main window near the screen's edge, it would lie partly off
    // it, or, moved onto it, behind the main window, which stays on top.
    if (const QScreen *screen = mainWindow->screen())
        place = placementBeside(mainWindow->frameGeometry(), frameGeometry().size(), screen->availableGeometry());
    move(place);
}

QPoint FrmSuggest::placementBeside(const QRect &mainFrame, QSize size, const QRect &screen)
{
    const QPoint under = placementUnder(mainFrame, size.width());
    const QPoint candidates[] = {under,
                                 {under.x(), mainFrame.top() - size.height()},
                                 {mainFrame.right() + 1, mainFrame.top()},
                                 {mainFrame.left() - size.width(), mainFrame.top()}};
    for (const QPoint wanted : candidates) {
        const QPoint kept = keptOnScreen(wanted, size, screen);
        if (!QRect(kept, size).intersects(mainFrame))
            return kept;
    }
    return keptOnScreen(under, size, screen); // a screen too small for both
}

void FrmSuggest::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    SkinnedWindow::keyPressEvent(event);
}

void FrmSuggest::prompt(const QString &text, QLineEdit *field)
{
    showStatus(text);
    field->setFocus();
}

void FrmSuggest::showStatus(const QString &text, const QString &reason)
{
    lblSending->setWordWrap(false);
    lblSending->setGeometry(m_statusBox);
    lblSending->setText(text);
    lblSending->setToolTip(reason);
    lblSending->adjustSize();
    // A status too long for its place left of the buttons wraps there,
    // centred on their row, rather than running under them.
    const int right = imgSend->x() - 4, left = 6;
    if (lblSending->geometry().right() > right) {
        lblSending->setWordWrap(true);
        const int height = lblSending->heightForWidth(right - left);
        lblSending->setGeometry(left, m_statusBox.center().y() - height / 2, right - left, height);
    }
    lblSending->show();
    m_spoken->say(reason.isEmpty() ? text : text + QLatin1Char(' ') + reason);
}

void FrmSuggest::setSendEnabled(bool enabled)
{
    Command1->setEnabled(enabled);
    imgSend->setEnabled(enabled);
}

void FrmSuggest::Command1_Click()
{
    if (txtName->text().isEmpty())
        return prompt(tr("Your Name?"), txtName);
    if (txtEMail->text().isEmpty())
        return prompt(tr("Your Email?"), txtEMail);
    if (txtComment->text().isEmpty())
        return prompt(tr("Comment?"), txtComment);

    // A build for which no maker set a server: nothing to send to.
    if (m_host.trimmed().isEmpty())
        return showStatus(tr("Feedback is not set up in this copy of Tolvik"));

    showStatus(tr("Sending..."));
    setSendEnabled(false);
    wb->Navigate(FeedbackRequest::feedbackUrl(m_host, txtName->text(), txtEMail->text(), txtComment->text()));
}

void FrmSuggest::imgSend_Click()
{
    if (Command1->isEnabled())
        Command1_Click();
}

void FrmSuggest::wb_DocumentComplete(bool accepted)
{
    showStatus(accepted ? tr("Finished.") : tr("Not sent."), wb->failure());
    // A failed request may be sent again without typing again.
    if (!accepted)
        setSendEnabled(true);
}
