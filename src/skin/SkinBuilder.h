#pragma once

#include "ControlSpec.h"

#include <functional>

class QFont;
class QObject;
class QWidget;

// Makes the objects of the rows that the skin leaves to the window using
// it (a drop area, a request carrier); nullptr where it makes none. The
// builder names, places and dresses whatever it returns.
using ControlFactory = std::function<QObject *(QWidget *parent, const ControlSpec &row)>;

// Creates a window's controls from its layout table, with their names,
// geometry, pictures, texts, fonts, cursors and stacking order.
class SkinBuilder {
public:
    static void build(QWidget *window, const WindowSpec &layout, const ControlFactory &factory);
    static QFont fontOf(const FontSpec &layout, const QFont &fallback);

private:
    static QObject *create(QWidget *window, const ControlSpec &layout, const ControlFactory &factory);
    static void stack(QWidget *window, const WindowSpec &layout);
};
