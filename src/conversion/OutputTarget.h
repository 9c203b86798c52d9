#pragma once
// The target file of a converter. Whether it is appended to or replaced, the new
// content goes to a temporary file beside the target (for Append, a copy of the old
// content first) and is renamed into place only by commit(), so a failed run leaves
// the old target exactly as it was. Text appended to a target whose last line has no
// line end starts on a line of its own: the target's own line end (CR LF when it has
// none) is written before the first new byte, and only then. What became of such a
// last line is told by unendedLastLine(); a store may have a mark written before it
// (a record cut short made a comment, so that no reader takes it for a whole one).
#include "platform/ByteSink.h"
#include "platform/TextEnding.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tavrelo {

// The last line of an appended text target that had no line end.
struct UnendedLastLine {
    bool found = false;      // the old target ended inside a line that holds more than blanks
    int64_t lineNumber = 0;  // its number in the target, from 1
    std::string start;       // its first characters
    uint64_t length = 0;     // all of its characters
    bool linesBefore = false; // lines before it end in line ends: it was cut off there
    std::string mark;        // written before it, now that new text follows ("" none)
};

class OutputTarget : public ByteSink {
public:
    enum class Mode { Replace, Append };
    // A binary target is appended to byte for byte.
    enum class Content { Text, Binary };
    // Given the old last line without a line end (its first characters, with lines
    // before it that end), the text to write before it once new text follows.
    using UnendedLineMark = std::function<std::string(const UnendedLastLine& line)>;

    OutputTarget(const std::string& path, Mode mode, Content content = Content::Text,
                 const UnendedLineMark& mark = {});
    // OutputFileMode 1 appends; anything else writes a new file.
    static Mode modeFor(int outputFileMode) { return outputFileMode == 1 ? Mode::Append : Mode::Replace; }

    bool commit();
    void discard();
    const std::string& path() const { return m_path; }
    // Whether a file of that name stood there before this run, which a failed run leaves as it was.
    bool existed() const { return m_existed; }
    // Bytes this run has written (an appended target's old content and the line end
    // that starts the new text on a line of its own not counted).
    uint64_t newBytes() const { return m_newBytes; }
    // An appended text target's last line without a line end; its mark is set only
    // once new text has followed it.
    const UnendedLastLine& unendedLastLine() const { return m_unended; }

protected:
    int put(const char* data, size_t size) override;

private:
    void copyOldBytes(std::FILE* old);
    void copyOldText(std::FILE* old, const UnendedLineMark& mark);
    // The held-back last line of the old content, after its mark when new text follows.
    void writeHeldLine(bool beforeNewText);

    std::string m_path;
    bool m_existed;
    std::unique_ptr<AtomicFile> m_file;
    uint64_t m_newBytes = 0;
    std::string m_lineEndFirst; // written before the first new byte
    std::string m_held;         // the old last line, unended, not yet written
    std::string m_mark;         // what goes before it when new text follows
    UnendedLastLine m_unended;
};

} // namespace tavrelo
