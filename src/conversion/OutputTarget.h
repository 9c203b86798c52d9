#pragma once
// The target file of a converter. Whether it is appended to or replaced, the new
// content goes to a temporary file beside the target (for Append, a copy of the old
// content first) and is renamed into place only by commit(), so a failed run leaves
// the old target exactly as it was.
#include "platform/ByteSink.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tavrelo {

class OutputTarget : public ByteSink {
public:
    enum class Mode { Replace, Append };
    OutputTarget(const std::string& path, Mode mode);
    // OutputFileMode 1 appends; anything else writes a new file.
    static Mode modeFor(int outputFileMode) { return outputFileMode == 1 ? Mode::Append : Mode::Replace; }

    bool commit();
    void discard();
    const std::string& path() const { return m_path; }
    // Whether a file of that name stood there before this run, which a failed run leaves as it was.
    bool existed() const { return m_existed; }
    // Bytes this run has written (an appended target's old content not counted).
    uint64_t newBytes() const { return m_newBytes; }

protected:
    int put(const char* data, size_t size) override;

private:
    std::string m_path;
    bool m_existed;
    std::unique_ptr<AtomicFile> m_file;
    uint64_t m_newBytes = 0;
};

} // namespace tavrelo
