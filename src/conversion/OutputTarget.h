#pragma once
// The target file of a converter. Whether it is appended to or replaced, the new
// content goes to a temporary file beside the target (for Append, a copy of the old
// content first) and is renamed into place only by commit(), so a failed run leaves
// the old target exactly as it was. Text appended to a target whose last line has no
// line end starts on a line of its own: the target's own line end (CR LF when it has
// none) is written before the first new byte, and only then.
#include "platform/ByteSink.h"
#include "platform/TextEnding.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tavrelo {

class OutputTarget : public ByteSink {
public:
    enum class Mode { Replace, Append };
    // A binary target is appended to byte for byte.
    enum class Content { Text, Binary };
    OutputTarget(const std::string& path, Mode mode, Content content = Content::Text);
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

protected:
    int put(const char* data, size_t size) override;

private:
    std::string m_path;
    bool m_existed;
    std::unique_ptr<AtomicFile> m_file;
    uint64_t m_newBytes = 0;
    std::string m_lineEndFirst; // written before the first new byte
};

} // namespace tavrelo
