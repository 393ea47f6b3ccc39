#pragma once

#include <QString>

class QComboBox;
class QLineEdit;

// The choices a user made in the window, kept across starts in the
// system's own place for them (QSettings: ~/.config/Tolvik/ on Linux, the
// user's registry on Windows): the three lists and the output folder. Only
// what the user chose is kept (a list picked from, a folder browsed
// to), never what the program set itself.
class RememberedSettings {
public:
    RememberedSettings(QComboBox *bitRate, QComboBox *sampleRate, QComboBox *channels, QLineEdit *folder);

    // Puts the kept choices back (the first start keeps the window's own);
    // false when the kept output folder no longer exists (an unplugged
    // drive): the field then keeps the default it holds.
    bool restore();
    // Keeps the lists and the folder as the window shows them now.
    void keepLists();
    void keepFolder();
    // Whether files already converted are passed over (off at first).
    static bool skipConverted();
    static void keepSkipConverted(bool skip);

private:
    QComboBox *m_lists[3];
    QLineEdit *m_folder;
};
