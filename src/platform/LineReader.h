#pragma once
// Reads a text file line by line. CR LF, a lone CR and a lone LF each end a line;
// the last line need not be ended. Buffered, so files of millions of lines stream;
// a line longer than the buffer grows it.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tavrelo {

class LineReader {
public:
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
    // For readers that refuse long lines: the buffer grows no further than about
    // bytes (never below its first size). A line that does not fit ends the reading:
    // next gives the bytes at hand as that line, and false afterwards.
    void setLineLimit(size_t bytes) { m_lineLimit = bytes; }

    // The next line without its end; false at the end of the file.
    bool next(std::string& line);
    // The same without a copy: the view stays valid until the next call.
    bool next(std::string_view& line);
    // Whole lines, about want bytes of them or more when one line is longer, each with
    // its line end (the file's last line may have none); for readers that cut the file
    // into pieces. The view stays valid until the next call; false at the end.
    bool nextBlock(std::string_view& block, size_t want);
    bool atEnd();
    int error() const { return m_error; }

private:
    // Keeps the unread bytes, moved to the front, and reads more after them; false
    // when nothing more came.
    bool fill();

    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer;
    size_t m_pos = 0;
    size_t m_len = 0;
    bool m_ended = false; // the file has given its last byte
    size_t m_lineLimit = static_cast<size_t>(-1);
    int m_error = 0;
};

// Cuts the first line off a block of whole lines, by the same line ends as
// LineReader::next; false when the block is used up.
bool NextLineOfBlock(std::string_view& block, std::string_view& line);
// The offset just past the first line end at or after from (a CR LF counting as one),
// or the block's size when no line ends there: where a block can be cut into pieces.
size_t LineBoundaryFrom(std::string_view block, size_t from);
// Cuts a block of whole lines into pieces.size() pieces of about equal size at line
// ends (some may be empty), for threads that read a piece each.
void CutAtLineEnds(std::string_view block, std::vector<std::string_view>& pieces);

// A whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes, int* error = nullptr);

} // namespace tavrelo
