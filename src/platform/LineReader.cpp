#include "platform/LineReader.h"

#include "platform/FileSystem.h"
#include "platform/LineEnds.h"
#include "platform/RunError.h"

#include <cerrno>
#include <algorithm>
#include <cstring>

namespace tavrelo {

namespace {

constexpr size_t kBufferSize = 1 << 16;

// Where in a block of whole lines the first line longer than limit starts, or npos;
// line ends are not counted. Looks at a few bytes in every limit / 2, so that a
// check of every block costs next to nothing.
size_t LongLineIn(std::string_view block, size_t limit)
{
    if (limit >= block.size())
        return std::string_view::npos;
    // A line longer than limit covers a whole window of limit / 2 bytes at a multiple
    // of that size, and a window with no line end lies within one line: only such a
    // window needs a closer look.
    const size_t window = std::max<size_t>(1, limit / 2);
    const char* const data = block.data();
    const char* const end = data + block.size();
    for (size_t at = 0; at + window <= block.size(); at += window) {
        const char* const from = data + at;
        if (FindLineEnd(from, from + window) != from + window)
            continue;
        const char* start = from;
        while (start > data && !IsLineEnd(start[-1]))
            --start;
        const char* const stop = FindLineEnd(from + window, end);
        if (static_cast<size_t>(stop - start) > limit)
            return static_cast<size_t>(start - data);
        at = static_cast<size_t>(stop - data) / window * window;
    }
    return std::string_view::npos;
}

} // namespace

bool LineReader::open(const std::string& path)
{
    close();
    m_path = path;
    m_failedLine = 0;
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
    m_bufferOffset = 0;
    m_ended = false;
    m_lastUnended = false;
    m_lines = 0;
    m_linesKnown = true;
}

bool LineReader::fill()
{
    if (!m_file || m_ended)
        return false;
    if (m_pos > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_pos, m_len - m_pos);
        m_bufferOffset += m_pos;
        m_len -= m_pos;
        m_pos = 0;
    }
    // Full with one line: the callers have checked it against the limit.
    if (m_len == m_buffer.size())
        m_buffer.resize(m_buffer.size() * 2);
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
    m_lastUnended = false;
    if (atEnd())
        return false;
    for (;;) {
        const char* start = m_buffer.data() + m_pos;
        const char* end = m_buffer.data() + m_len;
        const char* p = FindLineEnd(start, end);
        // Without its end at hand the line is at least as long as what is at hand.
        if (static_cast<size_t>(p - start) > m_lineLimit)
            return refuseLongLine(m_pos);
        // A CR that ends the bytes at hand may have its LF in the next read; fill()
        // moves the bytes, so the scan starts again.
        if ((p == end || (*p == kCr && p + 1 == end)) && m_file && !m_ended) {
            fill();
            continue;
        }
        ++m_lines;
        if (p == end) { // the last line, without an end
            line = std::string_view(start, static_cast<size_t>(end - start));
            m_lastUnended = m_bufferOffset + m_pos > 0; // a line end came before it
            m_pos = m_len;
            return true;
        }
        line = std::string_view(start, static_cast<size_t>(p - start));
        m_pos = static_cast<size_t>(p - m_buffer.data()) + LineEndSize(p, end);
        return true;
    }
}

bool LineReader::refuseLongLine(size_t start)
{
    const uint64_t offset = m_bufferOffset + start;
    m_error = RunError::LineTooLong;
    m_ended = true;
    m_pos = m_len;
    if (!m_linesKnown) {
        // Blocks are handed out uncounted: count the lines before this one afresh,
        // each of them within the limit.
        LineReader counter;
        counter.setLineLimit(m_lineLimit);
        m_lines = 0;
        std::string_view line;
        if (counter.open(m_path))
            while (counter.m_bufferOffset + counter.m_pos < offset && counter.next(line))
                ++m_lines;
    }
    m_failedLine = m_lines + 1;
    return false;
}

std::string LineReader::errorText() const
{
    if (m_error == RunError::LineTooLong)
        return m_path + " is not a survey data file: line " + std::to_string(m_failedLine) + " is longer than " +
               std::to_string(m_lineLimit) + " characters.";
    return m_error == 0 ? std::string() : RunErrorDescription(m_error);
}

bool LineReader::nextBytes(std::string_view& bytes)
{
    bytes = {};
    m_lastUnended = false;
    if (atEnd())
        return false;
    bytes = std::string_view(m_buffer.data() + m_pos, m_len - m_pos);
    m_pos = m_len;
    m_linesKnown = false;
    return true;
}

bool LineReader::nextBlock(std::string_view& block, size_t want)
{
    block = {};
    m_lastUnended = false;
    if (atEnd())
        return false;
    want = std::max<size_t>(want, 1);
    m_linesKnown = false;
    for (;;) {
        if (m_buffer.size() < want)
            m_buffer.resize(want);
        while (m_len - m_pos < want && fill()) {
        }
        size_t end = m_len; // past the block's last line end
        if (!m_ended && m_file) {
            // The last line end at hand; a CR at the very end may yet have its LF coming.
            end = 0;
            for (size_t p = m_len; p-- > m_pos;) {
                const char c = m_buffer[p];
                if (IsLineEnd(c) && !(c == kCr && p + 1 == m_len)) {
                    end = p + 1;
                    break;
                }
            }
        }
        if (end == 0) { // one line holds everything at hand
            if (m_len - m_pos > m_lineLimit)
                return refuseLongLine(m_pos);
            want = (m_len - m_pos) * 2;
            continue;
        }
        const std::string_view whole(m_buffer.data() + m_pos, end - m_pos);
        const size_t longLine = LongLineIn(whole, m_lineLimit);
        if (longLine != std::string_view::npos)
            return refuseLongLine(m_pos + longLine);
        block = whole;
        // Only the file's last block can end inside a line; a line end came before
        // that line when the block holds one or starts after the file's start.
        const char* const wholeEnd = whole.data() + whole.size();
        m_lastUnended = !EndsLine(whole) &&
                        (m_bufferOffset + m_pos > 0 || FindLineEnd(whole.data(), wholeEnd) != wholeEnd);
        m_pos = end;
        return true;
    }
}

bool LineReader::next(std::string& line)
{
    std::string_view view;
    const bool more = next(view);
    line.assign(view.data(), view.size());
    return more;
}

size_t LineBoundaryFrom(std::string_view block, size_t from)
{
    if (from >= block.size())
        return block.size();
    const char* const start = block.data();
    const char* const end = start + block.size();
    const char* p = FindLineEnd(start + from, end);
    if (p == end)
        return block.size();
    return static_cast<size_t>(p - start) + LineEndSize(p, end);
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

bool ReadWholeFile(const std::string& path, std::string& bytes, int* error, size_t largest)
{
    bytes.clear();
    int failure = OpenCheck(path);
    std::FILE* f = failure == 0 ? OpenFile(path, "rb") : nullptr;
    if (failure == 0 && !f)
        failure = RunErrorFromErrno(errno);
    if (f) {
        char buffer[1 << 16];
        size_t n;
        while (failure == 0 && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
            bytes.append(buffer, n);
            if (bytes.size() > largest)
                failure = RunError::FileTooLarge;
        }
        if (std::ferror(f))
            failure = RunError::DeviceIO;
        if (failure != 0)
            bytes.clear();
        std::fclose(f);
    }
    if (error)
        *error = failure;
    return failure == 0;
}

} // namespace tavrelo
