#pragma once
// Reads a text file line by line, by the rule of line ends (LineEnds.h); the last line
// need not be ended. Buffered, so files of millions of lines stream.
// A line longer than the reader's limit ends the reading with an error that names
// the file and the line: no survey record comes near the limit, and a file of
// another kind (a wrong file chosen, gigabytes without a line end) is refused after
// its first bytes instead of being held whole in memory.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo {

class LineReader {
public:
    // The longest line a reader takes unless told otherwise.
    static constexpr size_t kLongestLine = 10000;
    // For the readers that keep data whatever it holds (copies of received data).
    static constexpr size_t kNoLimit = static_cast<size_t>(-1);

    LineReader() = default;
    explicit LineReader(const std::string& path) { open(path); }
    ~LineReader() { close(); }
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens a regular file for reading; returns false and sets error() otherwise
    // (53 missing, 76 folder missing, 75 a folder or device, ...).
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return m_file != nullptr; }
    // A line longer than bytes (its end not counted) ends the reading: next and
    // nextBlock give false, error() is RunError::LineTooLong and failedLine() its
    // number. The buffer grows only as far as the limit needs.
    void setLineLimit(size_t bytes) { m_lineLimit = bytes; }

    // The next line without its end; false at the end of the file.
    bool next(std::string& line);
    // The same without a copy: the view stays valid until the next call.
    bool next(std::string_view& line);
    // Whole lines, about want bytes of them or more when one line is longer, each with
    // its line end (the file's last line may have none); for readers that cut the file
    // into pieces. The view stays valid until the next call; false at the end.
    bool nextBlock(std::string_view& block, size_t want);
    // The next bytes of the file as they stand, whatever lines they hold, for copies
    // of whole files; the view stays valid until the next call; false at the end.
    bool nextBytes(std::string_view& bytes);
    bool atEnd();
    int error() const { return m_error; }
    // Whether the line (next) or block (nextBlock) just handed out ends the file
    // without a line end while an earlier line of the file has one: the last line of a
    // file whose lines end in line ends, cut off before its end (as when a transfer
    // ends early). False for a file without any line end, whose one line is whole.
    bool lastLineUnended() const { return m_lastUnended; }
    // The lines next has handed out since the file was opened: after next, the
    // number (from 1) of the line it gave.
    int64_t linesRead() const { return m_lines; }
    // The bytes of the file read so far; at the end, the file's size.
    uint64_t bytesRead() const { return m_bufferOffset + m_pos; }
    // The number (from 1) of the line that was too long; 0 before that failure.
    int64_t failedLine() const { return m_failedLine; }
    // The failure as the user is told it: for a line too long "<path> is not a survey
    // data file: line <n> is longer than <limit> characters."; otherwise the
    // failure's description; "" without a failure.
    std::string errorText() const;

private:
    // Keeps the unread bytes, moved to the front, and reads more after them (the
    // buffer grows when they fill it); false when nothing more came.
    bool fill();
    // Ends the reading at the line that starts at buffer offset start; always false.
    bool refuseLongLine(size_t start);

    std::string m_path;
    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer;
    size_t m_pos = 0;
    size_t m_len = 0;
    uint64_t m_bufferOffset = 0; // the file offset of m_buffer[0]
    bool m_ended = false; // the file has given its last byte
    bool m_lastUnended = false;
    size_t m_lineLimit = kLongestLine;
    int64_t m_lines = 0;       // lines handed out by next
    bool m_linesKnown = true;  // no block has been handed out, so m_lines counts them all
    int64_t m_failedLine = 0;
    int m_error = 0;
};

// A block's lines are cut off it with NextLine (LineEnds.h). A piece of a block cut by
// CutAtLineEnds ends without a line end (EndsLine) only when its last line is the
// file's own last, unended.
//
// The offset just past the first line end at or after from (a CR LF counting as one),
// or the block's size when no line ends there: where a block can be cut into pieces.
size_t LineBoundaryFrom(std::string_view block, size_t from);
// Cuts a block of whole lines into pieces.size() pieces of about equal size at line
// ends (some may be empty), for threads that read a piece each.
void CutAtLineEnds(std::string_view block, std::vector<std::string_view>& pieces);

// A whole file as bytes; false when it cannot be read. A file of more than largest
// bytes is not read: false, with the failure RunError::FileTooLarge.
bool ReadWholeFile(const std::string& path, std::string& bytes, int* error = nullptr,
                   size_t largest = LineReader::kNoLimit);

} // namespace tavrelo
