#pragma once

#include <QColor>

class QImage;
class QWidget;

// The colour that marks what lies outside a skinned window's outline.
constexpr QRgb windowColourKey = 0xffff00ff; // RGB(255, 0, 255)

// Cuts the window's shape out of its background: every pixel that is not
// exactly the key colour belongs to the window; key pixels are see-through
// and let clicks reach whatever lies below.
void applyColourKey(QWidget *window, const QImage &background);

// The background with its key-coloured pixels fully transparent: for
// display servers that compose windows with alpha but take no window shape
// (Wayland), where a mask only decides where clicks go.
QImage withKeyTransparent(const QImage &background);
