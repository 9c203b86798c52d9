#pragma once
// The settings file and every data file are single-byte Windows-1252. The core keeps
// texts in that code page; the windows convert at their boundary with these two calls.
#include <string>

namespace tavrelo {

std::string Cp1252ToUtf8(const std::string& bytes);

// A character that Windows-1252 cannot hold becomes "?"; malformed UTF-8 too.
std::string Utf8ToCp1252(const std::string& utf8);

} // namespace tavrelo
