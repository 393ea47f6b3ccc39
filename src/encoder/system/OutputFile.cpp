#include "OutputFile.h"

#include "ConvSystem.h"

OutputFile::~OutputFile()
{
    abandon();
}

bool OutputFile::fail()
{
    m_error = convsys::lastError();
    abandon();
    return false;
}

bool OutputFile::create(const std::string &path)
{
    m_path = path;
    m_file = convsys::createBeside(path, m_temp, m_error);
    if (!m_file)
        return false;
    convsys::removeOnInterrupt(m_temp);
    static char buffer[1 << 16];
    std::setvbuf(m_file, buffer, _IOFBF, sizeof buffer);
    return true;
}

bool OutputFile::write(const void *data, std::size_t size)
{
    if (size == 0)
        return true;
    return std::fwrite(data, 1, size, m_file) == size || fail();
}

bool OutputFile::writeAt(long offset, const void *data, std::size_t size)
{
    if (std::fflush(m_file) != 0 || std::fseek(m_file, offset, SEEK_SET) != 0)
        return fail();
    return write(data, size);
}

bool OutputFile::restart()
{
    return convsys::truncateToEmpty(m_file) || fail();
}

// The program's own copy (platform/FileCopy_linux.cpp) also writes beside
// and renames, but it is Qt code copying whole files; conv stays free of Qt.
bool OutputFile::commit(bool overwrite)
{
    const bool closed = convsys::flushToDisk(m_file) && convsys::keepWhenClosed(m_file) && std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed)
        return fail();
    if (!convsys::publish(m_temp, m_path, overwrite, m_error)) {
        abandon();
        return false;
    }
    m_temp.clear();
    convsys::keepOnInterrupt();
    return true;
}

void OutputFile::abandon()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temp.empty()) {
        convsys::removeFile(m_temp);
        m_temp.clear();
    }
    convsys::keepOnInterrupt();
}
