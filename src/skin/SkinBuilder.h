#pragma once

#include "ControlSpec.h"

class QFont;
class QObject;
class QWidget;

// Creates a window's controls from its layout table, with their names,
// geometry, pictures, texts, fonts, cursors and stacking order.
class SkinBuilder {
public:
    static void build(QWidget *window, const WindowSpec &layout);
    static QFont fontOf(const FontSpec &layout, const QFont &fallback);

private:
    static QObject *create(QWidget *window, const ControlSpec &layout);
    static void stack(QWidget *window, const WindowSpec &layout);
};
