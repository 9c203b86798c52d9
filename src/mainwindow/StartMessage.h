#pragma once
// A box shown before the program has a window, said on standard error too: a start
// from a terminal, or one whose box stands behind other windows, still tells why.
#include "platform/UserInteraction.h"

#include <string>

namespace tavrelo {

// text in Windows-1252, as the message table holds it.
MessageAnswer TellAtStart(UserInteraction& ui, const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title);
// The same for a text in UTF-8 (a name with letters Windows-1252 has no place for).
MessageAnswer TellUnicodeAtStart(UserInteraction& ui, const std::string& utf8Text, MessageButtons buttons,
                                 MessageIcon icon, const std::string& title);

} // namespace tavrelo
