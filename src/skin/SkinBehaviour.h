#pragma once

#include "LookSpec.h"

#include <QList>
#include <QObject>

class HoverLook;
class QWidget;

// Attaches the looks of a skin table to a window's controls, and the
// window drag with the hover reset to its surface.
class SkinBehaviour : public QObject {
    Q_OBJECT
public:
    SkinBehaviour(QWidget *window, const SkinSpec &layout);

    HoverLook *look(const char *control) const;
    // Brings every resting look back, in the table's reset order.
    void resetLooks();

private:
    QList<HoverLook *> m_looks;
    QList<HoverLook *> m_resetOrder;
};
