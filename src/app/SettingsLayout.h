#pragma once
// The sections of the settings file other than the control texts, as data: their
// names (misspellings included, other programs' files depend on them), their keys,
// where each value lives in the model, and the default lines a rebuild writes.
#include "app/SettingsModel.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tavrelo {

constexpr const char* kIniFileName = "Tavrelo.ini";
constexpr const char* kIniBackupName = "Tavrelo.ini.bak";

constexpr const char* kToolTipSection = "ToolTipsText CommandSetting";
constexpr const char* kDefaultSection = "Default";
constexpr const char* kHelpSection = "Help file";
constexpr const char* kFileTypeSection = "Messages for file types";
constexpr const char* kMessagesSection = "Messages";

// A list section: one item per line, found by a line scan in file order.
struct ListSection {
    const char* name;
    std::vector<std::string> SettingsModel::*items;
    size_t limit; // more items than this fail the read; 0 for no limit
    std::vector<const char*> defaults;
};
// The eleven list sections in file order.
const std::vector<ListSection>& ListSections();

// A Settings-button tooltip table: keys prefix + position, first..last.
struct TooltipTable {
    const char* prefix;
    int first;
    int last;
    std::vector<std::string> SettingsModel::*tips;
};
const std::vector<TooltipTable>& TooltipTables();

struct KeyDefault {
    const char* key;
    const char* value;
};
// The tooltip keys a rebuilt file holds, in file order.
const std::vector<KeyDefault>& DefaultTooltips();

// [Default]: the four texts, then the fifteen 16-bit integers, in file order.
struct TextSetting {
    const char* key;
    std::string ProgramSettings::*value;
};
struct IntegerSetting {
    const char* key;
    int16_t ProgramSettings::*value;
};
const std::vector<TextSetting>& DefaultTextSettings();
const std::vector<IntegerSetting>& DefaultIntegerSettings();

// [Help file]: keys and the exact text written before each value.
constexpr const char* kHelpFileNameKey = "HelpFileName";
constexpr const char* kHelpProgShowKey = "HelpProgShow";
constexpr const char* kHelpFileNameLine = "HelpFileName=";
constexpr const char* kHelpProgShowLine = "HelpProgShow =";
constexpr const char* kDefaultHelpFileName = "TavreloManual.doc";
constexpr const char* kDefaultHelpProgShow = "WORDPAD.EXE";

// An option section of a conversion dialog with its default lines, stray blanks kept.
struct OptionSection {
    const char* name;
    std::vector<const char*> lines;
};
// The six option sections in file order.
const std::vector<OptionSection>& OptionSections();

} // namespace tavrelo
