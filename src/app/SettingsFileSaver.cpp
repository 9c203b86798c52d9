#include "app/SettingsFileSaver.h"

#include "app/SettingsLayout.h"
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

void saveProgramSettings(std::vector<std::string>& lines, const ProgramSettings& settings)
{
    for (const TextSetting& text : DefaultTextSettings())
        SetProfileLine(lines, kDefaultSection, text.key, settings.*text.value, SameValue::Keep);
    for (const IntegerSetting& number : DefaultIntegerSettings())
        SetProfileLine(lines, kDefaultSection, number.key, std::to_string(settings.*number.value), SameValue::Keep);
}

SettingsFileResult editFile(const std::string& iniPath, const std::function<void(std::vector<std::string>&)>& edit)
{
    if (!IsWritableOrMissing(iniPath))
        return {RunError::PermissionDenied, iniPath};
    return {EditProfileFile(iniPath, edit), iniPath};
}

} // namespace

void SaveControlSection(std::vector<std::string>& lines, const ControlText& control, const std::string& key,
                        ControlKind kind, SameValue same)
{
    if (kind != ControlKind::TextBox && kind != ControlKind::Combo)
        SetProfileLine(lines, key, "Caption", control.Caption, same);
    SetProfileLine(lines, key, "FontName", control.FontName, same);
    SetProfileLine(lines, key, "FontBold", control.FontBold ? "1" : "0", same);
    SetProfileLine(lines, key, "FontItalic", control.FontItalic ? "1" : "0", same);
    SetProfileLine(lines, key, "FontSize", FormatMask(control.FontSize, "0.00"), same);
    if (kind != ControlKind::Combo)
        SetProfileLine(lines, key, "Height", FormatMask(control.Height, "0"), same);
    SetProfileLine(lines, key, "Width", FormatMask(control.Width, "0"), same);
    if (kind != ControlKind::Window)
        SetProfileLine(lines, key, "ToolTipText", control.ToolTipText, same);
}

SettingsFileResult SaveControlSection(const ControlText& control, const std::string& key, ControlKind kind,
                                      const std::string& iniPath)
{
    return editFile(iniPath,
                    [&](std::vector<std::string>& lines) { SaveControlSection(lines, control, key, kind); });
}

SettingsFileResult SaveControlSections(const SettingsModel& model, const std::vector<std::string>& keys,
                                       const std::string& iniPath)
{
    return editFile(iniPath, [&](std::vector<std::string>& lines) {
        for (const std::string& key : keys)
            for (const ControlEntry& entry : model.controls())
                if (EqualsNoCase(entry.key, key))
                    SaveControlSection(lines, entry.text, entry.key, entry.kind);
    });
}

SettingsFileResult SaveIniFile(const SettingsModel& model, const ProgramState& state)
{
    return editFile(state.IniPath, [&](std::vector<std::string>& lines) {
        for (const ControlEntry& entry : model.controls())
            if (savedOnExit(entry))
                SaveControlSection(lines, entry.text, entry.key, entry.kind, SameValue::Keep);
        saveProgramSettings(lines, model.settings);
    });
}

} // namespace tavrelo
