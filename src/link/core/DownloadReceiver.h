#pragma once
// The wire rules of a download from the instrument, without the port: which bytes are
// kept, where lines end, what is written to the temporary file, the running counts
// and when the data has started (from then on a silence ends the download).
//
// The byte 0 is dropped and counted; every other byte is kept, 128 to 255 as the
// letters of the code page they are (æ, ø, å). LF is ignored. CR ends a line, which
// is written with CR LF (an empty line too). Every kept character is written as it comes, so the
// characters after the last CR are in the file too, without a line end, whenever the
// download ends; nothing of a line is held in memory. A line longer than the readers'
// limit (LineReader::kLongestLine) is no survey data: lineTooLong() tells it.
// The data starts with the first written line unless that line begins with "CO"
// (exact case): after leading "CO" comment lines it starts with the first line of two
// or more characters that does not begin with "CO", or with the 17th "CO" line, so a
// block of up to 16 comment lines followed by a pause does not end the download.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tavrelo {

class ByteSink;

class DownloadReceiver {
public:
    // Lines go to `out`; its first failure is kept by the sink (see ByteSink).
    explicit DownloadReceiver(ByteSink& out);

    // Takes the bytes as the port gave them.
    void take(const char* data, size_t size);

    bool dataStarted() const { return m_dataStarted; }
    // Lines ended by a CR, and characters written without their line ends (those of
    // the line not yet ended included).
    int64_t lineCount() const { return m_lineCount; }
    int64_t byteCount() const { return m_byteCount; }
    int headerCount() const { return m_headerCount; }
    // The bytes 0 left out.
    int64_t zeroBytes() const { return m_zeroBytes; }
    // The characters kept since the last CR (written, without a line end so far), and
    // the first kShownStart of them, to tell the user.
    int64_t currentLineLength() const { return m_lineLength; }
    const std::string& currentLineStart() const { return m_lineStart; }
    // Some line has grown past the longest line a reader of survey data takes; its
    // number (from 1), 0 while none has.
    bool lineTooLong() const { return m_longLine != 0; }
    int64_t longLineNumber() const { return m_longLine; }

    // How many "CO" lines before the data may stand before they count as data.
    static constexpr int kMaxHeaderLines = 16;
    static constexpr size_t kShownStart = 80;

private:
    void keep(const char* data, size_t size);
    void endLine();
    void testDataStart();

    ByteSink& m_out;
    std::string m_lineStart;
    int64_t m_lineLength = 0;
    bool m_dataStarted = false;
    int64_t m_lineCount = 0;
    int64_t m_byteCount = 0;
    int64_t m_longLine = 0;
    int64_t m_zeroBytes = 0;
    int m_headerCount = 0;
};

// The status text of the download window: "Bytes:   " and the count.
std::string ByteCountText(int64_t byteCount);

} // namespace tavrelo
