#include "app/FileHelpers.h"

#include "platform/FileSystem.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <cstring>

namespace tavrelo {

namespace {

// The name as both tests see it: unquoted, without one trailing separator.
std::string testedName(const std::string& path)
{
    std::string name = StripQuotes(path);
    if (!name.empty() && name.back() == kPathSeparator)
        name.pop_back();
    return name;
}

bool hasForbiddenCharacter(const std::string& name)
{
#ifdef _WIN32
    const size_t colon = name.find(':');
    if (name.find('/') != std::string::npos || (colon != std::string::npos && colon != 1) ||
        name.find(':', 2) != std::string::npos)
        return true;
#endif
    return name.find_first_of("?*") != std::string::npos;
}

} // namespace

std::string WithExtension(const std::string& name, const char* pattern)
{
    if (!pattern || std::strncmp(pattern, "*.", 2) != 0)
        return name;
    const std::string extension(pattern + 1, std::strcspn(pattern + 1, " ;"));
    const std::string file = name.substr(FolderOf(name).size());
    if (file.empty() || file.find('.') != std::string::npos || extension.size() < 2)
        return name;
    return name + extension;
}

std::string StripQuotes(const std::string& text)
{
    const std::string trimmed = Trim(text);
    if (trimmed.size() >= 2 && trimmed.front() == '"' && trimmed.back() == '"')
        return trimmed.substr(1, trimmed.size() - 2);
    return trimmed;
}

bool FileExists(const std::string& path)
{
    return OpenCheck(testedName(path)) == RunError::None;
}

int16_t CheckFileName(const std::string& path)
{
    const std::string name = testedName(path);
    if (hasForbiddenCharacter(name))
        return RunError::PathNotFound;
    return static_cast<int16_t>(OpenCheck(name));
}

void OpenFileMode(const std::string& path, int16_t mode, OpenedFile& file, const SettingsModel& texts,
                  ProgramState& state, UserInteraction& ui)
{
    state.DialogAnswer.clear();
    file = OpenedFile();
    int error = RunError::None;
    if (mode == OpenForOutput || mode == OpenForAppend) {
        file.sink = std::make_unique<FileSink>();
        // A folder, pipe or device is no file to write, and opening one must not block.
        if (OpenCheck(path) == RunError::PathFileAccess)
            error = RunError::PathFileAccess;
        else if (!file.sink->open(path, mode == OpenForOutput ? FileSink::Mode::Truncate : FileSink::Mode::Append))
            error = file.sink->error();
        if (error == RunError::FileNotFound)
            error = RunError::PathNotFound; // only a missing folder stops a file being created
    } else if (mode == OpenForInput) {
        file.reader = std::make_unique<LineReader>();
        if (!file.reader->open(path))
            error = file.reader->error();
    }
    if (error == RunError::None)
        return;
    state.DialogAnswer = std::to_string(error);
    ui.message(texts.message(14), MessageButtons::Ok, MessageIcon::Critical, texts.message(11));
}

void CommaToPoint(std::string& text)
{
    const size_t comma = text.find(',');
    if (comma != std::string::npos)
        text[comma] = '.';
}

} // namespace tavrelo
