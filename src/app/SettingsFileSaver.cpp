#include "app/SettingsFileSaver.h"

#include "app/SettingsFileReader.h"
#include "app/SettingsLayout.h"
#include "app/SettingsListScan.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

// The windows whose texts Exit saves; the main window's file button shows the chosen
// file at run time, so its text is never saved.
bool savedOnExit(const ControlEntry& entry)
{
    switch (entry.window) {
    case SettingsWindow::Main:
        return !EqualsNoCase(entry.key, "ComFileName");
    case SettingsWindow::Download:
    case SettingsWindow::Upload:
    case SettingsWindow::Help:
        return true;
    default:
        return false;
    }
}

void saveProgramSettings(std::vector<std::string>& lines, const ProgramSettings& settings, ItemLines& items)
{
    for (const TextSetting& text : DefaultTextSettings())
        SetProfileLine(lines, kDefaultSection, text.key, settings.*text.value, SameValue::Keep, &items);
    for (const IntegerSetting& number : DefaultIntegerSettings())
        SetProfileLine(lines, kDefaultSection, number.key, std::to_string(settings.*number.value), SameValue::Keep,
                       &items);
}

// Why the start-up would refuse the file's text, "" when it reads it.
std::string refusal(const std::string& bytes, const std::string& iniPath)
{
    SettingsModel model;
    ProgramState state;
    state.IniPath = iniPath;
    state.AppPath = FolderOf(iniPath);
    SettingsReadReport report;
    if (ReadIniText(bytes, model, state, 0, &report))
        return std::string();
    return report.fault.empty() ? std::string("the file would not be read") : report.fault;
}

// The edit, written only when the start-up reads what it writes or refused the file
// already before it.
SettingsFileResult editFile(const std::string& iniPath,
                            const std::function<void(std::vector<std::string>&, ItemLines&)>& edit)
{
    if (!IsWritableOrMissing(iniPath))
        return {RunError::PermissionDenied, iniPath};
    std::string fault;
    const int error = EditProfileFile(
        iniPath,
        [&](std::vector<std::string>& lines) {
            ItemLines items = ListItemLines(lines);
            edit(lines, items);
        },
        [&](const std::string& before, const std::string& after) {
            fault = refusal(after, iniPath);
            return fault.empty() || !refusal(before, iniPath).empty() ? RunError::None : RunError::SettingsRefused;
        });
    return {error, iniPath, error == RunError::SettingsRefused ? fault : std::string()};
}

} // namespace

void SaveControlSection(std::vector<std::string>& lines, const ControlText& control, const std::string& key,
                        ControlKind kind, SameValue same, ItemLines* items)
{
    if (kind != ControlKind::TextBox && kind != ControlKind::Combo)
        SetProfileLine(lines, key, "Caption", control.Caption, same, items);
    SetProfileLine(lines, key, "FontName", control.FontName, same, items);
    SetProfileLine(lines, key, "FontBold", control.FontBold ? "1" : "0", same, items);
    SetProfileLine(lines, key, "FontItalic", control.FontItalic ? "1" : "0", same, items);
    SetProfileLine(lines, key, "FontSize", FormatMask(control.FontSize, "0.00"), same, items);
    if (kind != ControlKind::Combo)
        SetProfileLine(lines, key, "Height", FormatMask(control.Height, "0"), same, items);
    SetProfileLine(lines, key, "Width", FormatMask(control.Width, "0"), same, items);
    if (kind != ControlKind::Window)
        SetProfileLine(lines, key, "ToolTipText", control.ToolTipText, same, items);
}

int WriteSettingsString(const std::string& section, const std::string& key, const std::string& value,
                        const std::string& iniPath)
{
    return editFile(iniPath, [&](std::vector<std::string>& lines, ItemLines& items) {
               SetProfileLine(lines, section, key, value, SameValue::Rewrite, &items);
           })
        .error;
}

SettingsFileResult SaveControlSection(const ControlText& control, const std::string& key, ControlKind kind,
                                      const std::string& iniPath)
{
    return editFile(iniPath, [&](std::vector<std::string>& lines, ItemLines& items) {
        SaveControlSection(lines, control, key, kind, SameValue::Rewrite, &items);
    });
}

SettingsFileResult SaveControlSections(const SettingsModel& model, const std::vector<std::string>& keys,
                                       const std::string& iniPath)
{
    return editFile(iniPath, [&](std::vector<std::string>& lines, ItemLines& items) {
        for (const std::string& key : keys)
            for (const ControlEntry& entry : model.controls())
                if (EqualsNoCase(entry.key, key))
                    SaveControlSection(lines, entry.text, entry.key, entry.kind, SameValue::Rewrite, &items);
    });
}

SettingsFileResult SaveIniFile(const SettingsModel& model, const ProgramState& state)
{
    return editFile(state.IniPath, [&](std::vector<std::string>& lines, ItemLines& items) {
        for (const ControlEntry& entry : model.controls())
            if (savedOnExit(entry))
                SaveControlSection(lines, entry.text, entry.key, entry.kind, SameValue::Keep, &items);
        saveProgramSettings(lines, model.settings, items);
    });
}

} // namespace tavrelo
