#pragma once
// Opens a file for viewing: in the configured editor program, started with the file
// as its one argument and never through a shell, or, without a program, in notepad on
// Windows and in the desktop's default application for text files elsewhere.
#include <QString>

namespace tavrelo {

// Does not wait for the editor. False with the reason in *error when it cannot start.
bool OpenInEditor(const QString& program, const QString& file, QString* error);

} // namespace tavrelo
