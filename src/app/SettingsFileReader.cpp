#include "app/SettingsFileReader.h"

#include "app/SettingsChoices.h"
#include "app/SettingsFileWriter.h"
#include "app/SettingsLayout.h"
#include "app/SettingsListScan.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <cmath>

namespace tavrelo {

namespace {

// The help window's first web address always shows its built-in text: its section is
// written and saved, never applied.
bool neverApplied(const ControlEntry& entry)
{
    return EqualsNoCase(entry.key, "Help_Net0");
}

// Sections of the main and help windows must carry their caption at start-up.
bool checkedAtStart(const ControlEntry& entry)
{
    return entry.window == SettingsWindow::Main || entry.window == SettingsWindow::Help;
}

void readText(const Profile& ini, const std::string& section, const std::string& key, std::string& target)
{
    if (ini.has(section, key))
        target = ini.get(section, key);
}

// Throws OverflowError for a value outside the 16-bit range.
void readInteger(const Profile& ini, const std::string& section, const std::string& key, int16_t& target)
{
    if (ini.has(section, key))
        target = CInt(Val(ini.get(section, key)));
}

void readSize(const Profile& ini, const std::string& key, const char* name, double& target, bool positive)
{
    if (!ini.has(key, name))
        return;
    const double value = Val(ini.get(key, name));
    if (std::isfinite(value) && (positive ? value > 0 : value >= 0))
        target = value;
}

// The key of the first section checked at start that lacks its caption, or "".
std::string applyControlTexts(const Profile& ini, SettingsModel& model, ProgramState& state)
{
    std::string lacking;
    for (ControlEntry& entry : model.controls()) {
        if (neverApplied(entry))
            continue;
        const bool found = ApplyControlSection(ini, entry.text, entry.key, entry.kind);
        if (checkedAtStart(entry) && !found && lacking.empty())
            lacking = entry.key;
    }
    state.DialogAnswer.clear();
    return lacking;
}

void readTooltips(const Profile& ini, SettingsModel& model)
{
    for (const TooltipTable& table : TooltipTables())
        for (int i = table.first; i <= table.last; ++i)
            readText(ini, kToolTipSection, table.prefix + std::to_string(i), (model.*table.tips)[static_cast<size_t>(i)]);
}

// False, with the key in fault, for an integer outside the 16-bit range.
bool readProgramSettings(const Profile& ini, ProgramSettings& settings, const std::string& appPath,
                         std::string& fault)
{
    for (const TextSetting& text : DefaultTextSettings())
        readText(ini, kDefaultSection, text.key, settings.*text.value);
    for (const IntegerSetting& number : DefaultIntegerSettings()) {
        try {
            readInteger(ini, kDefaultSection, number.key, settings.*number.value);
        } catch (const OverflowError&) {
            fault = std::string(number.key) + "=" + ini.get(kDefaultSection, number.key) + " in [" +
                    kDefaultSection + "] is beyond the numbers -32768 to 32767";
            return false;
        }
        // The program always starts with the instrument as the source, even when a
        // later value fails the read.
        if (number.value == &ProgramSettings::OpSourse)
            settings.OpSourse = 0;
    }
    // The manual's name is taken relative to the program folder.
    if (ini.has(kHelpSection, kHelpFileNameKey))
        settings.HelpFileName = JoinPath(appPath, ini.get(kHelpSection, kHelpFileNameKey));
    readText(ini, kHelpSection, kHelpProgShowKey, settings.HelpProgShow);
    return true;
}

bool readAll(const Profile& ini, SettingsModel& model, ProgramState& state, int attempt, SettingsReadReport& report)
{
    const std::string lacking = applyControlTexts(ini, model, state);
    if (attempt == 0 && !lacking.empty()) {
        report.fault = "the key Caption of the section [" + lacking + "] is missing or empty";
        return false;
    }
    readTooltips(ini, model);
    return readProgramSettings(ini, model.settings, state.AppPath, report.fault) &&
           ScanListsAndMessages(ini.lines(), model, report.fault) && ClampChoices(model, report.fault, report.fallbacks);
}

// error: 0 when the file's bytes are there, else why they could not be read.
bool readProfile(const Profile& ini, int error, SettingsModel& model, ProgramState& state, int attempt,
                 SettingsReadReport* report)
{
    SettingsReadReport found;
    // A file that cannot be opened still has its keyed reads tried (they find
    // nothing), so the first attempt fails on the captions as the scan would.
    const bool ok = readAll(ini, model, state, attempt, found) && error == 0;
    // A missing file is the first start's, and no fault of the user's.
    const bool missing = error == RunError::FileNotFound || error == RunError::PathNotFound;
    if (error != 0)
        found.fault = missing ? std::string() : "the file cannot be read (" + RunErrorDescription(error) + ")";
    state.SettingsRead = ok;
    if (report)
        *report = found;
    return ok;
}

} // namespace

bool ApplyControlSection(const Profile& ini, ControlText& control, const std::string& key, ControlKind kind)
{
    bool captionFound = true;
    if (kind != ControlKind::TextBox && kind != ControlKind::Combo) {
        captionFound = ini.has(key, "Caption");
        if (captionFound)
            control.Caption = ini.get(key, "Caption");
    }
    readText(ini, key, "FontName", control.FontName);
    if (ini.has(key, "FontBold"))
        control.FontBold = Val(ini.get(key, "FontBold")) > 0;
    if (ini.has(key, "FontItalic"))
        control.FontItalic = Val(ini.get(key, "FontItalic")) > 0;
    readSize(ini, key, "FontSize", control.FontSize, true);
    if (kind != ControlKind::Combo)
        readSize(ini, key, "Height", control.Height, false);
    readSize(ini, key, "Width", control.Width, false);
    if (kind != ControlKind::Window)
        readText(ini, key, "ToolTipText", control.ToolTipText);
    return captionFound;
}

void ReadControlSection(const Profile& ini, ControlText& control, const std::string& key, ControlKind kind,
                        ProgramState& state)
{
    state.DialogAnswer.clear();
    if (!ApplyControlSection(ini, control, key, kind))
        state.SettingsRead = false;
}

bool ReadIniFile(SettingsModel& model, ProgramState& state, int attempt, SettingsReadReport* report)
{
    std::string bytes;
    int error = 0;
    ReadWholeFile(state.IniPath, bytes, &error, kLargestProfileFile);
    return readProfile(SettingsProfile(bytes), error, model, state, attempt, report);
}

bool ReadIniText(const std::string& bytes, SettingsModel& model, ProgramState& state, int attempt,
                 SettingsReadReport* report)
{
    return readProfile(SettingsProfile(bytes), 0, model, state, attempt, report);
}

Profile SettingsProfile(const std::string& bytes)
{
    Profile profile(bytes);
    profile.setItemLines(ListItemLines(profile.lines()));
    return profile;
}

bool LoadSettingsProfile(Profile& profile, const std::string& iniPath)
{
    const bool ok = profile.load(iniPath);
    profile.setItemLines(ListItemLines(profile.lines()));
    return ok;
}

void LoadDefaultSettings(SettingsModel& model, ProgramState& state)
{
    const int16_t sendFormat = model.settings.DataSendFormat;
    model = SettingsModel();
    model.settings.DataSendFormat = sendFormat;
    ReadIniText(DefaultIniText(model), model, state, 1);
}

} // namespace tavrelo
