#pragma once

#include "platform/files/Files.h"

#include <QString>

// The two files one conversion works on, in the run's own folder: the
// source's copy (conv's input) and conv's result.
//
// Why a copy in and a copy out: the encoder only ever sees a file the
// program owns and no one else changes while it reads (a source on a slow
// or removable drive, or one being rewritten, cannot cut a file short or
// mix two versions), and a result reaches the output folder whole, by a
// rename, never as a file the encoder is still writing.
class WorkingFiles {
public:
    WorkingFiles() = default;
    // Lanes past the first name the files of others converted beside it.
    static constexpr int lanes = 8;
    explicit WorkingFiles(platform::PrivateFolder folder, int lane = 0) : m_folder(std::move(folder)), m_lane(lane) {}

    bool usable() const { return m_folder.usable; }
    QString folder() const { return m_folder.path; }
    QString input() const;  // the source's copy
    QString output() const; // conv's result

    // Removes the two files (a missing one is no error).
    void remove() const;
    // Removes everything a run may leave in the folder: every lane's files,
    // partial copies and conv's partial output.
    void removeLeftovers() const;
    static void removeLeftoversIn(const QString &folder);

private:
    platform::PrivateFolder m_folder;
    int m_lane = 0;
};
