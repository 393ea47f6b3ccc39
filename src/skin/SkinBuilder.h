#pragma once

#include "ControlSpec.h"

class QFont;
class QObject;
class QWidget;

// Creates a window's controls from its layout table, with their names,
// geometry, pictures, texts, fonts, cursors and stacking order.
class SkinBuilder {
public:
    static void build(QWidget *window, const WindowSpec &spec);
    static QFont fontOf(const FontSpec &spec, const QFont &fallback);

private:
    static QObject *create(QWidget *window, const ControlSpec &spec);
    static void stack(QWidget *window, const WindowSpec &spec);
};
