#pragma once
// The file named on the Send tab: whether it can be sent as it is, must be created
// first, or is refused; and the new send files the new-file dialog creates (an empty
// coordinate file, or a code or point-name list from its four-line template).
#include <string>

namespace tavrelo {

enum class SendFileVerdict {
    Refused,  // the temporary file itself, or a name no file can have: "Cannot create file!"
    New,      // missing or empty: offered to the new-file dialog
    Old,      // a file with data: can be sent
    NoData,   // 1 to 3 bytes: "This file contains no data"
    Unusable, // cannot be read for another reason (a folder, no permission): nothing offered
};

// The name is used trimmed, without enclosing quotes. tempFileName: the temporary
// file's own name, refused in any folder and any letter case.
SendFileVerdict CheckSendFile(const std::string& name, const std::string& tempFileName);

// The kinds of new send file, as the new-file dialog lists them.
enum class NewSendFileKind { Coordinate = 0, CodeList = 1, PointNameList = 2 };

// The new file's bytes: nothing for a coordinate file; "DEFAULT", "{", an empty line
// and "}", each ended by CR LF, for the two lists.
std::string SendFileTemplate(NewSendFileKind kind);

// Creates (or replaces) the file with its template; 0 or the failure number.
int CreateSendFile(const std::string& path, NewSendFileKind kind);

} // namespace tavrelo
