#pragma once
// The settings file and every data file are single-byte Windows-1252. The core keeps
// texts in that code page; the windows convert at their boundary with these calls.
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand
// for the control characters of their numbers, so that they come back as they were.
#include <string>

namespace tavrelo {

std::string Cp1252ToUtf8(const std::string& bytes);

// A character that Windows-1252 cannot hold becomes "?"; malformed UTF-8 too.
std::string Utf8ToCp1252(const std::string& utf8);

// As Utf8ToCp1252, but false (out empty) when a character has no place in the code
// page or the UTF-8 is malformed.
bool Utf8ToCp1252Exactly(const std::string& utf8, std::string& out);

// Where the first character of utf8 lies that Windows-1252 cannot hold, or a malformed
// sequence begins: its byte offset (npos when there is none), its length in *size and
// its code point in *code (0 for a malformed sequence).
size_t FirstUtf8OutsideCp1252(const std::string& utf8, size_t* size = nullptr, char32_t* code = nullptr);

} // namespace tavrelo
