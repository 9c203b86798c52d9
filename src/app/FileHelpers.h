#pragma once
// Small shared helpers that test file names, open the temporary file and normalise
// number texts. Paths follow the platform's rules: only regular files count as files,
// and no test blocks on a pipe or a device.
#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "platform/ByteSink.h"
#include "platform/LineReader.h"
#include "platform/UserInteraction.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tavrelo {

// The text without outer blanks and without one pair of enclosing double quotes.
// A lone double quote is returned as it is (it then names no file).
std::string StripQuotes(const std::string& text);

// True when the path (quotes and one trailing separator removed) names a regular file
// that can be opened for reading. A folder or an empty path gives false.
bool FileExists(const std::string& path);

// 0 when the file exists and can be read, 53 when it does not exist, 76 for a
// forbidden character or a missing folder, another number for any other failure.
// "?" and "*" are forbidden everywhere; on Windows also "/" and a ":" other than
// the drive colon. Forbidden names are refused without touching the disk.
int16_t CheckFileName(const std::string& path);

// Open modes of OpenFileMode; any other number opens nothing.
enum FileOpenMode : int16_t { OpenForOutput = 1, OpenForAppend = 2, OpenForInput = 3 };

// The file OpenFileMode hands back: a sink for output and append, a reader for input.
struct OpenedFile {
    std::unique_ptr<FileSink> sink;
    std::unique_ptr<LineReader> reader;
    bool isOpen() const { return (sink && sink->isOpen()) || (reader && reader->isOpen()); }
};

// Opens path in the mode (output creates or empties the file). DialogAnswer is
// emptied first; on failure it holds the failure number in decimal digits and the
// user sees message 14 titled message 11 with a critical icon.
void OpenFileMode(const std::string& path, int16_t mode, OpenedFile& file, const SettingsModel& texts,
                  ProgramState& state, UserInteraction& ui);

// name with the extension of a file dialog's pattern ("*.kof" gives ".kof"; of
// "*.txt *.cod" the first) when its file name has none: a file dialog returns the name
// as the user typed it ("Jobb 7 ø"), without the extension of the chosen type. A null
// pattern, or one for every file, adds nothing.
std::string WithExtension(const std::string& name, const char* pattern);

// The first comma of a number text becomes a point; the rest stays.
void CommaToPoint(std::string& text);

} // namespace tavrelo
