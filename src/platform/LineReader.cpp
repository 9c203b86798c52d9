#include "platform/LineReader.h"

#include "platform/FileSystem.h"
#include "platform/RunError.h"

#include <cerrno>
#include <algorithm>
#include <cstring>

namespace tavrelo {

namespace {

constexpr size_t kBufferSize = 1 << 16;

// The first CR or LF in [start, end), or end.
const char* lineEnd(const char* start, const char* end)
{
    const void* lf = std::memchr(start, '\n', static_cast<size_t>(end - start));
    const char* limit = lf ? static_cast<const char*>(lf) : end;
    const void* cr = std::memchr(start, '\r', static_cast<size_t>(limit - start));
    return cr ? static_cast<const char*>(cr) : limit;
}

} // namespace

bool LineReader::open(const std::string& path)
{
    close();
    m_error = OpenCheck(path);
    if (m_error != 0)
        return false;
    m_file = OpenFile(path, "rb");
    if (!m_file) {
        m_error = RunErrorFromErrno(errno);
        return false;
    }
    if (m_buffer.size() != kBufferSize)
        m_buffer.assign(kBufferSize, '\0');
    return true;
}

void LineReader::close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_pos = m_len = 0;
    m_ended = false;
}

bool LineReader::fill()
{
    if (!m_file || m_ended)
        return false;
    if (m_pos > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_len - m_pos);
        m_len -= m_pos;
        m_pos = 0;
    }
    if (m_len == m_buffer.size()) {
        if (m_buffer.size() >= m_lineLimit) {
            m_ended = true; // a line longer than the limit: no more reading
            return false;
        }
        m_buffer.resize(m_buffer.size() * 2);
    }
    const size_t n = std::fread(m_buffer.data() + m_len, 1, m_buffer.size() - m_len, m_file);
    m_len += n;
    if (n == 0) {
        m_ended = true;
        if (std::ferror(m_file))
            m_error = RunError::DeviceIO;
    }
    return n > 0;
}

bool LineReader::atEnd()
{
    return m_pos >= m_len && !fill();
}

bool LineReader::next(std::string_view& line)
{
    line = {};
    if (atEnd())
        return false;
    for (;;) {
        const char* start = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_len;
        const char* p = lineEnd(start, end);
        // A CR that ends the bytes at hand may have its LF in the next read; fill()
        // moves the bytes, so the scan starts again.
        if ((p == end || (*p == '\r' && p + 1 == end)) && m_file && !m_ended) {
            fill();
            continue;
        }
        if (p == end) { // the last line, without an end
            line = std::string_view(start, static_cast<size_t>(end - start));
            m_pos = m_len;
            return true;
        }
        line = std::string_view(start, static_cast<size_t>(p - start));
        m_pos = static_cast<size_t>(p - m_buffer.data()) + 1;
        if (*p == '\r' && m_pos < m_len && m_buffer[m_pos] == '\n')
            ++m_pos;
        return true;
    }
}

bool LineReader::nextBlock(std::string_view& block, size_t want)
{
    block = {};
    if (atEnd())
        return false;
    want = std::max<size_t>(want, 1);
    for (;;) {
        if (m_buffer.size() < want)
            m_buffer.resize(want);
        while (m_len - m_pos < want && fill()) {
        }
        const char* const start = m_buffer.data() + m_pos;
        if (m_ended || !m_file) {
            block = std::string_view(start, m_len - m_pos);
            m_pos = m_len;
            return true;
        }
        // The last line end at hand; a CR at the very end may yet have its LF coming.
        for (size_t p = m_len; p-- > m_pos;) {
            const char c = m_buffer[p];
            if (c == '\n' || (c == '\r' && p + 1 < m_len)) {
                block = std::string_view(start, p + 1 - m_pos);
                m_pos = p + 1;
                return true;
            }
        }
        want = (m_len - m_pos) * 2; // one line longer than everything at hand
    }
}

bool LineReader::next(std::string& line)
{
    std::string_view view;
    const bool more = next(view);
    line.assign(view.data(), view.size());
    return more;
}

bool NextLineOfBlock(std::string_view& block, std::string_view& line)
{
    if (block.empty()) {
        line = {};
        return false;
    }
    const char* const start = block.data();
    const char* const end = start + block.size();
    const char* p = lineEnd(start, end);
    line = std::string_view(start, static_cast<size_t>(p - start));
    if (p != end && *p == '\r' && p + 1 != end && p[1] == '\n')
        ++p;
    block.remove_prefix(p == end ? block.size() : static_cast<size_t>(p + 1 - start));
    return true;
}

size_t LineBoundaryFrom(std::string_view block, size_t from)
{
    if (from >= block.size())
        return block.size();
    const char* const start = block.data();
    const char* const end = start + block.size();
    const char* p = lineEnd(start + from, end);
    if (p == end)
        return block.size();
    if (*p == '\r' && p + 1 != end && p[1] == '\n')
        ++p;
    return static_cast<size_t>(p + 1 - start);
}

void CutAtLineEnds(std::string_view block, std::vector<std::string_view>& pieces)
{
    size_t from = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const size_t to = i + 1 == pieces.size()
                              ? block.size()
                              : LineBoundaryFrom(block, std::max(from, block.size() * (i + 1) / pieces.size()));
        pieces[i] = block.substr(from, to - from);
        from = to;
    }
}

bool ReadWholeFile(const std::string& path, std::string& bytes, int* error)
{
    bytes.clear();
    int failure = OpenCheck(path);
    std::FILE* f = failure == 0 ? OpenFile(path, "rb") : nullptr;
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
