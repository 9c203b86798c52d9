#include "platform/LineReader.h"

#include "platform/FileSystem.h"
#include "platform/RunError.h"

#include <cerrno>

namespace tavrelo {

bool LineReader::open(const std::string& path)
{
    close();
    m_error = OpenCheck(path);
    if (m_error != 0)
        return false;
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file) {
        m_error = RunErrorFromErrno(errno);
        return false;
    }
    m_pos = m_len = 0;
    return true;
}

void LineReader::close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_pos = m_len = 0;
}

bool LineReader::fill()
{
    if (!m_file)
        return false;
    m_len = std::fread(m_buffer, 1, sizeof m_buffer, m_file);
    m_pos = 0;
    if (m_len == 0 && std::ferror(m_file))
        m_error = RunError::DeviceIO;
    return m_len > 0;
}

bool LineReader::atEnd()
{
    return m_pos >= m_len && !fill();
}

bool LineReader::next(std::string& line)
{
    line.clear();
    if (atEnd())
        return false;
    for (;;) {
        if (m_pos >= m_len && !fill())
            return true; // last line without an end
        const char* start = m_buffer + m_pos;
        const char* end = m_buffer + m_len;
        const char* p = start;
        // Most bytes are above CR, so one comparison decides for nearly all of them.
        while (p < end && (static_cast<unsigned char>(*p) > '\r' || (*p != '\r' && *p != '\n')))
            ++p;
        line.append(start, p - start);
        m_pos = p - m_buffer;
        if (p == end)
            continue;
        const char terminator = *p;
        ++m_pos;
        if (terminator == '\r') {
            if (m_pos >= m_len)
                fill();
            if (m_pos < m_len && m_buffer[m_pos] == '\n')
                ++m_pos;
        }
        return true;
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes, int* error)
{
    bytes.clear();
    int failure = OpenCheck(path);
    std::FILE* f = failure == 0 ? std::fopen(path.c_str(), "rb") : nullptr;
    if (failure == 0 && !f)
        failure = RunErrorFromErrno(errno);
    if (f) {
        char buffer[1 << 16];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        if (std::ferror(f))
            failure = RunError::DeviceIO;
        std::fclose(f);
    }
    if (error)
        *error = failure;
    return failure == 0;
}

} // namespace tavrelo
