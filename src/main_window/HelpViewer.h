#pragma once

#include <QTextBrowser>

// The help page in a small window of the program's own, for a desktop
// that has no web browser to show it.
class HelpViewer : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpViewer(const QString &helpFile);

protected:
    void keyPressEvent(QKeyEvent *event) override; // Escape closes it
};
