#pragma once
// The built-in message table and file-dialog texts that a rebuilt settings file holds.
#include <vector>

namespace tavrelo {

struct DefaultMessage {
    int number;
    const char* text;
};

// Messages 1 to 50 in ascending order.
const std::vector<DefaultMessage>& DefaultMessages();

// The five texts of [Messages for file types], in file order.
const std::vector<const char*>& DefaultFileTypeMessages();

} // namespace tavrelo
