#pragma once
// How a text ends, learnt from its bytes in order: whether its last byte ends a line,
// and which line end it used last. Lines added to a text start on a line of their own
// in the text's own style; a copy of received data keeps a last line that came
// without its line end as it came.
#include "platform/LineEnds.h"

#include <cstddef>
#include <string>

namespace tavrelo {

class TextEnding {
public:
    // The next bytes of the text.
    void take(const char* data, size_t size);
    // Nothing taken yet, or the last byte is CR or LF.
    bool endsLine() const { return m_empty || IsLineEnd(m_last); }
    // What to write before lines added to the text: "" when it ends a line, else its
    // last line end (CR LF, LF or CR), CR LF when it has none.
    std::string lineEndBeforeMore() const;

private:
    enum class Style { None, CrLf, Lf, Cr };
    Style m_style = Style::None;
    bool m_empty = true;
    char m_last = 0; // the last byte taken
};

// Whether the file at path is empty or ends a line (its last byte CR or LF); true
// when it cannot be read, as nothing of it can then be kept either.
bool FileEndsLine(const std::string& path);

} // namespace tavrelo
