#pragma once

#include "SkinPicture.h"

// A borderless child window that shows a picture at its top-left corner;
// child windows lie above a skin's windowless elements.
class PictureBox : public SkinPicture {
    Q_OBJECT
public:
    using SkinPicture::SkinPicture;
};
