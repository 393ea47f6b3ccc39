#pragma once

#include <QComboBox>

// A drop-down list whose opened list a screen reader hears: the list
// that opens takes the keyboard without a focus change Qt tells of, so
// Orca said only the key (Alt+Down) and nothing of the list.
class SpokenList : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override;
};
