#pragma once

#include <QTextEdit>

// The help page in a small window of the program's own, for a desktop
// that has no web browser to show it. A read-only text with a caret (not
// a text browser, which screen readers take for one long label): the
// arrows walk it line by line, and a screen reader reads each line.
class HelpViewer : public QTextEdit {
    Q_OBJECT
public:
    explicit HelpViewer(const QString &helpFile);

protected:
    void keyPressEvent(QKeyEvent *event) override; // Escape closes it
};
