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

// The sections of keys with the model's texts, in the order of keys.
void saveControlSections(std::vector<std::string>& lines, const SettingsModel& model,
                         const std::vector<std::string>& keys, ItemLines& items)
{
    for (const std::string& key : keys)
        for (const ControlEntry& entry : model.controls())
            if (EqualsNoCase(entry.key, key))
                SaveControlSection(lines, entry.text, entry.key, entry.kind, SameValue::Rewrite, &items);
}

// Each value as a write of its own finds its section: the list items are marked anew
// from the lines as they stand, so the bytes are those of one write after the other.
void saveValues(std::vector<std::string>& lines, const std::vector<KeyedValue>& values, ItemLines& items)
{
    for (const KeyedValue& v : values) {
        items = ListItemLines(lines);
        SetProfileLine(lines, v.section, v.key, v.value, SameValue::Rewrite, &items);
    }
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

SettingsFileResult SaveSettingsValues(const std::vector<KeyedValue>& values, const std::string& iniPath)
{
    return editFile(iniPath,
                    [&](std::vector<std::string>& lines, ItemLines& items) { saveValues(lines, values, items); });
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
        saveControlSections(lines, model, keys, items);
    });
}

SettingsFileResult SaveWindowSettings(const SettingsModel& model, const std::vector<std::string>& textKeys,
                                      const std::vector<KeyedValue>& values, const std::string& iniPath)
{
    return editFile(iniPath, [&](std::vector<std::string>& lines, ItemLines& items) {
        saveControlSections(lines, model, textKeys, items);
        saveValues(lines, values, items);
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
