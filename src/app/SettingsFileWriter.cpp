#include "app/SettingsFileWriter.h"

#include "app/DefaultMessages.h"
#include "app/SettingsLayout.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/Profile.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

void writeKey(ByteSink& out, const std::string& key, const std::string& value)
{
    out.writeLine(key + "=" + SingleLineValue(value));
}

void writeHeader(ByteSink& out, const std::string& section)
{
    out.writeLine("[" + section + "]");
}

void writeTooltips(ByteSink& out)
{
    writeHeader(out, kToolTipSection);
    for (const KeyDefault& tip : DefaultTooltips())
        writeKey(out, tip.key, tip.value);
    out.writeLine("");
}

// A section of plain lines: a list's items or an option section's default lines.
void writeLines(ByteSink& out, const std::string& section, const std::vector<const char*>& lines)
{
    writeHeader(out, section);
    for (const char* line : lines)
        out.writeLine(line);
    out.writeLine("");
}

void writeLists(ByteSink& out)
{
    for (const ListSection& list : ListSections())
        writeLines(out, list.name, list.defaults);
}

void writeProgramSettings(ByteSink& out, const ProgramSettings& settings)
{
    writeHeader(out, kDefaultSection);
    for (const TextSetting& text : DefaultTextSettings())
        writeKey(out, text.key, settings.*text.value);
    for (const IntegerSetting& number : DefaultIntegerSettings())
        writeKey(out, number.key, PrintNumber(settings.*number.value));
    out.writeLine("");
}

void writeOptionSections(ByteSink& out)
{
    for (const OptionSection& section : OptionSections())
        writeLines(out, section.name, section.lines);
}

void writeHelpFile(ByteSink& out)
{
    writeHeader(out, kHelpSection);
    out.writeLine(std::string(kHelpFileNameLine) + kDefaultHelpFileName);
    out.writeLine(std::string(kHelpProgShowLine) + kDefaultHelpProgShow);
    out.writeLine("");
}

// The file-dialog texts end with a line of one blank, the messages with no line at all.
void writeMessages(ByteSink& out)
{
    writeHeader(out, kFileTypeSection);
    for (const char* text : DefaultFileTypeMessages())
        out.writeLine(text);
    out.writeLine(" ");
    writeHeader(out, kMessagesSection);
    for (const DefaultMessage& message : DefaultMessages())
        out.writeLine(std::to_string(message.number) + "," + message.text);
}

} // namespace

void WriteControlSection(ByteSink& out, const ControlText& control, const std::string& key, ControlKind kind)
{
    writeHeader(out, key);
    if (kind != ControlKind::TextBox && kind != ControlKind::Combo)
        writeKey(out, "Caption", control.Caption);
    writeKey(out, "FontName", control.FontName);
    writeKey(out, "FontBold", control.FontBold ? "1" : "0");
    writeKey(out, "FontItalic", control.FontItalic ? "1" : "0");
    writeKey(out, "FontSize", PrintNumber(control.FontSize));
    if (kind != ControlKind::Combo)
        writeKey(out, "Height", PrintNumber(control.Height));
    writeKey(out, "Width", FormatMask(control.Width, "0"));
    if (kind != ControlKind::Window)
        writeKey(out, "ToolTipText", control.ToolTipText);
    out.writeLine("");
}

std::string DefaultIniText(const SettingsModel& model)
{
    StringSink out;
    for (const ControlEntry& entry : model.controls())
        WriteControlSection(out, entry.text, entry.key, entry.kind);
    writeTooltips(out);
    writeLists(out);
    writeProgramSettings(out, model.settings);
    writeOptionSections(out);
    writeHelpFile(out);
    writeMessages(out);
    return out.bytes();
}

void ResetProgramSettings(ProgramSettings& settings)
{
    const int16_t sendFormat = settings.DataSendFormat;
    settings = ProgramSettings();
    settings.DataSendFormat = sendFormat;
    settings.HelpFileName = kDefaultHelpFileName;
    settings.HelpProgShow = kDefaultHelpProgShow;
}

SettingsFileResult CreateIniFile(SettingsModel& model, ProgramState& state)
{
    state.CreateIniMode = true;
    ResetProgramSettings(model.settings);
    const int error = WriteFileAtomically(state.IniPath, DefaultIniText(model));
    state.DialogAnswer.clear();
    state.CreateIniMode = false;
    return {error, state.IniPath};
}

SettingsFileResult BackupIniFile(const ProgramState& state)
{
    const std::string backup = JoinPath(state.AppPath, kIniBackupName);
    if (!IsRegularFile(state.IniPath))
        return {0, backup};
    // In pieces: a file rebuilt because it is far too large is kept as it was too.
    bool readFailed = false;
    const int error = CopyFileAtomically(state.IniPath, backup, &readFailed);
    return {error, readFailed ? state.IniPath : backup};
}

} // namespace tavrelo
