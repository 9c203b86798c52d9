#pragma once
// A box shown before the program has a window, said on standard error too: a start
// from a terminal, or one whose box stands behind other windows, still tells why.
#include "platform/UserInteraction.h"

#include <string>

namespace tavrelo {

MessageAnswer TellAtStart(UserInteraction& ui, const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title);

} // namespace tavrelo
