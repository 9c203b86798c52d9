#pragma once
// The core keeps every text in Windows-1252; Qt holds Unicode. Texts cross between the
// two here and nowhere else. A path given to Qt is ToQt(path): Qt then writes it in the
// system's file-name encoding, as FileNames.h does.
#include <QString>

#include <string>

namespace tavrelo {

class UserInteraction;

QString ToQt(const std::string& cp1252);
// A character that Windows-1252 cannot hold becomes "?".
std::string FromQt(const QString& text);

// A file name from Qt (a dialog's answer, a text box, Qt's own paths) as the core keeps
// it; false (path empty) when it holds a character Windows-1252 has no place for.
bool PathFromQt(const QString& name, std::string& path);

// The same where the user chose or typed the name: such a name is refused with a
// critical box titled title that names the character and the name.
bool AcceptPathFromQt(const QString& name, std::string& path, UserInteraction& ui, const std::string& title);

} // namespace tavrelo
