#pragma once

#include <QString>

namespace platform {

// A working folder that only the current user can reach.
struct PrivateFolder {
    QString path;
    bool usable = false;
};

// Creates (or checks) the per-user private folder "<base>/tolvik-<uid>".
// An existing entry is used only when it is a real folder owned by the
// user with no access for group or others; otherwise the result is not
// usable and nothing is written there.
PrivateFolder preparePrivateFolder(const QString &base);

// Where the private folder goes: the user's temporary folder (TMPDIR when
// it names an existing folder by an absolute path), else /tmp.
QString temporaryBase();

} // namespace platform
