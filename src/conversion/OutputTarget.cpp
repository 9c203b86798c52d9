#include "conversion/OutputTarget.h"

#include "platform/FileSystem.h"
#include "platform/LineEnds.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <algorithm>
#include <cerrno>

namespace tavrelo {

namespace {

constexpr size_t kPiece = 1 << 16;
// How much of the old last line is kept to tell the user.
constexpr size_t kShownStart = 80;

} // namespace

OutputTarget::OutputTarget(const std::string& path, Mode mode, Content content, const UnendedLineMark& mark)
    : m_path(path), m_existed(NameTaken(path)), m_file(std::make_unique<AtomicFile>(path))
{
    if (m_file->failed()) {
        fail(m_file->error());
        return;
    }
    if (mode == Mode::Append && IsRegularFile(path)) {
        std::FILE* old = OpenFile(path, "rb");
        if (!old) {
            fail(RunErrorFromErrno(errno));
            return;
        }
        if (content == Content::Text)
            copyOldText(old, mark);
        else
            copyOldBytes(old);
        const bool readFailed = std::ferror(old) != 0;
        std::fclose(old);
        if (readFailed)
            fail(RunError::DeviceIO); // the old content must land whole
        if (m_file->failed())
            fail(m_file->error());
    }
}

void OutputTarget::copyOldBytes(std::FILE* old)
{
    std::unique_ptr<char[]> buffer(new char[kPiece]);
    size_t n;
    while ((n = std::fread(buffer.get(), 1, kPiece, old)) > 0)
        m_file->write(buffer.get(), n);
}

// The old content goes over as it is, but for its last line: that one is held back
// (up to the longest line a reader takes) until the end shows whether it has a line
// end, so that a mark can still go before it. Line ends are counted as the readers
// count them: CR LF, a lone CR and a lone LF each end a line.
void OutputTarget::copyOldText(std::FILE* old, const UnendedLineMark& mark)
{
    TextEnding ending;
    int64_t lineEnds = 0;
    char previous = 0;
    std::string start;       // the first characters of the line in hand
    uint64_t lineLength = 0; // all of them
    bool written = false;    // the line in hand was too long to hold and went as it came
    std::unique_ptr<char[]> piece(new char[kPiece]);
    size_t n;
    while ((n = std::fread(piece.get(), 1, kPiece, old)) > 0) {
        const char* const buffer = piece.get();
        ending.take(buffer, n);
        size_t after = 0; // just past the last line end of the piece
        for (size_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (IsLineEnd(c)) {
                if (c == kCr || previous != kCr)
                    ++lineEnds;
                after = i + 1;
            }
            previous = c;
        }
        if (after > 0) {
            m_file->write(m_held);
            m_held.clear();
            m_file->write(buffer, after);
            start.clear();
            lineLength = 0;
            written = false;
        }
        const char* const rest = buffer + after;
        const size_t restSize = n - after;
        if (start.size() < kShownStart)
            start.append(rest, std::min(restSize, kShownStart - start.size()));
        lineLength += restSize;
        if (written) {
            m_file->write(rest, restSize);
        } else {
            m_held.append(rest, restSize);
            if (m_held.size() > LineReader::kLongestLine) {
                m_file->write(m_held);
                m_held.clear();
                written = true;
            }
        }
    }
    m_lineEndFirst = ending.lineEndBeforeMore();
    if (ending.endsLine())
        return;
    m_unended.found = !TrimBlanks(start).empty() || lineLength > start.size();
    m_unended.lineNumber = lineEnds + 1;
    m_unended.start = start;
    m_unended.length = lineLength;
    m_unended.linesBefore = lineEnds > 0;
    if (mark && m_unended.found && !written)
        m_mark = mark(m_unended);
}

void OutputTarget::writeHeldLine(bool beforeNewText)
{
    if (beforeNewText && !m_mark.empty()) {
        m_file->write(m_mark);
        m_unended.mark = m_mark;
    }
    m_file->write(m_held);
    m_held.clear();
    m_mark.clear();
}

int OutputTarget::put(const char* data, size_t size)
{
    if (!m_held.empty())
        writeHeldLine(true);
    if (!m_lineEndFirst.empty()) {
        m_file->write(m_lineEndFirst);
        m_lineEndFirst.clear();
    }
    m_newBytes += size;
    m_file->write(data, size);
    return m_file->error();
}

bool OutputTarget::commit()
{
    if (!m_held.empty())
        writeHeldLine(false); // nothing new came: the old target stays as it was
    if (failed()) {
        m_file->discard();
        return false;
    }
    if (!m_file->commit())
        fail(m_file->error());
    return !failed();
}

void OutputTarget::discard()
{
    m_file->discard();
}

} // namespace tavrelo
