#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// What conv needs of the operating system, one file per system
// (ConvSystem_posix.cpp, ConvSystem_windows.cpp), chosen by the build.
// Paths are UTF-8.
namespace convsys {

// A regular file open for reading at any offset.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    // Fails (with a reason) for what cannot be opened or is not a regular
    // file; never waits on a pipe or device.
    bool open(const std::string &path, std::string &error);
    bool isOpen() const { return m_handle != -1; }
    std::int64_t length() const { return m_length; }
    // Reads up to `size` bytes at `offset`; returns how many it read.
    std::int64_t readAt(void *buffer, std::int64_t size, std::int64_t offset) const;
    // Whether `path` names this very file, by its identity (device and
    // inode, volume and file index): a link or another spelling or letter
    // case of its name is the same file.
    bool isSameFileAs(const std::string &path) const;

private:
    std::intptr_t m_handle = -1;
    std::int64_t m_length = 0;
};

bool exists(const std::string &path);

// Threads of other programs ready to run right now; -1 where the system
// gives no cheap count.
int othersReadyToRun();

// The processors this process may run on that no other program keeps busy
// right now (at least 1). `-threads auto` takes no more: parts that
// share a core with other work cost more than they save. `earlier` is a
// look (othersReadyToRun) taken a moment before, at the start, so that
// a passing burst needs no wait to be told from a busy core.
int freeCores(int earlier = -1);

// A new empty file beside `path`, with a hidden name made from it (which
// goes to *temp), open for reading and writing. Where the system can (on
// Windows), it is removed when closed, however conv ends, killed too,
// until keepWhenClosed() (on a flushed file).
std::FILE *createBeside(const std::string &path, std::string &temp, std::string &error);
bool keepWhenClosed(std::FILE *file);
// Gives the closed file `temp` the name `path`: replacing a file there
// when `overwrite`, failing if one is there otherwise.
bool publish(const std::string &temp, const std::string &path, bool overwrite, std::string &error);
bool truncateToEmpty(std::FILE *file);
// Writes the file's data through to the disk, so that a power cut after
// the rename cannot leave the final name on an empty or partial file.
bool flushToDisk(std::FILE *file);
void removeFile(const std::string &path);

// Until keepOnInterrupt(), an interruption (a signal, a closed console)
// removes `temp` and ends conv with status 1.
void removeOnInterrupt(const std::string &temp);
void keepOnInterrupt();

// The command line's arguments, in UTF-8.
std::vector<std::string> arguments(int argc, char **argv);

// The reason for the last failed call, as a sentence.
std::string lastError();

} // namespace convsys
