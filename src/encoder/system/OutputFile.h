#pragma once

#include "Mp3Sink.h"

#include <cstdio>
#include <string>

// The output appears only on success: the data go to a new file in the
// output's folder, which replaces (or, without overwrite, newly takes)
// the output's name at the end. A failed or interrupted run leaves no new
// file and an existing output untouched.
class OutputFile : public Mp3Sink {
public:
    OutputFile() = default;
    ~OutputFile() override;
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool create(const std::string &path);
    bool write(const void *data, std::size_t size) override;
    bool writeAt(long offset, const void *data, std::size_t size) override;
    bool restart() override;
    bool commit(bool overwrite);
    void abandon();
    const std::string &error() const { return m_error; }

private:
    bool fail();
    std::string m_path;
    std::string m_temp;
    std::FILE *m_file = nullptr;
    std::string m_error;
};
