#pragma once
// A path is Windows-1252 text inside the system, as the settings file holds it. It
// meets the operating system only through this pair: on the way out it becomes the
// system's file-name encoding (UTF-8 on Linux), and every name from outside (a file
// dialog's answer, the program folder, a link's target, a command-line word) comes in
// through the reverse, so that "Måling øst.raw" is found and written under its own name.
#include <string>

namespace tavrelo {

// The system's bytes for a path held in Windows-1252.
std::string SystemFileName(const std::string& path);

// A name in the system's bytes as the system holds it, in Windows-1252. False (path
// empty) when it holds a character the code page has no place for, or bytes that are
// no text in the system's encoding: such a name cannot be held without becoming
// another one.
bool FileNameFromSystem(const std::string& systemName, std::string& path);

// The sentence that tells the user why a name cannot be held, in UTF-8: the name as
// given and each character the code page cannot hold, as themselves ("Ł"); bytes that
// are no character are marked <0xF8>. "" when the name can be held. name is UTF-8
// text (the system's bytes on Linux); the sentence goes to the user through
// UserInteraction::unicodeMessage.
std::string RefusedFileNameText(const std::string& name);

} // namespace tavrelo
