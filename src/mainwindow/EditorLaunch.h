#pragma once
// Opens a file for viewing: in the configured editor program, started with the file
// as its one argument and never through a shell, or, without a program, in notepad on
// Windows and in the desktop's default application for text files elsewhere.
#include <QString>

namespace tavrelo {

struct ProgramSettings;

// Does not wait for the editor. False with the reason in *error when it cannot start.
bool OpenInEditor(const QString& program, const QString& file, QString* error);

// The editor program the Settings page chose: the trimmed ProgramEditor with "Use
// Other", "" (notepad or the desktop's viewer) with "Use Notepad".
QString ConfiguredEditor(const ProgramSettings& settings);

} // namespace tavrelo
