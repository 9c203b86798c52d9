#pragma once
// Everything the settings file "Tavrelo.ini" carries, held in memory: the texts of
// every control of the nine text-driven windows, the remembered choices of [Default]
// and [Help file], the item lists of the combo boxes, the Settings-button tooltips,
// the file-dialog texts and the numbered messages. Windows bind to this model; a
// window that does not exist yet is represented by its controls' texts here, so the
// file round-trips either way. All texts are Windows-1252 bytes.
#include "app/ControlText.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tavrelo {

// The [Default] and [Help file] values, named exactly as their keys in the file.
// The initial [Default] values are those the settings file is rebuilt with; the
// [Help file] values are empty until a read or a rebuild sets them.
struct ProgramSettings {
    std::string JobPath;
    std::string SaveAsPath;
    std::string UpLoadPath;
    std::string ProgramEditor;
    int16_t OpSourse = 0;     // 0 the instrument, 1 a file on disk
    int16_t OpReceive = 0;    // 0 raw data, 1 coordinates, 2 other
    int16_t ComboDataFormatN = 0;
    int16_t ComboDataFormatC = 0;
    int16_t ComboDataFormatNFile = 0;
    int16_t ComboDataFormatCFile = 0;
    int16_t CheckOrigDF = 0;  // "Also save the original data format": 1 on, 0 off
    int16_t Port = 0;
    int16_t Speed = 4;        // "19200"
    int16_t DataBits = 1;     // "8"
    int16_t FlowControl = 1;  // "Xon/Xoff"
    int16_t StCombCoord0 = 0; // coordinate order
    int16_t StCombCoord1 = 0; // coordinate labels
    int16_t StOpEditor = 0;   // 0 Notepad, 1 ProgramEditor
    int16_t DataSendFormat = 0;

    // [Help file]: after a read, the manual's path in the program folder ("" when none).
    std::string HelpFileName;
    std::string HelpProgShow;
};

// The windows whose control texts the file carries, in file order.
enum class SettingsWindow { Main, Download, Upload, Kof, CoordForm, CalcCoord, UploadCoordForm, Dxf, Help };

// One control text section: its key (the section name), kind and current texts.
struct ControlEntry {
    std::string key;
    ControlKind kind;
    SettingsWindow window;
    ControlText text;
};

class SettingsModel {
public:
    // Highest list position a Settings-button tooltip table holds, and the largest
    // message number the message table holds.
    static constexpr int kTipPositions = 19;
    static constexpr int kMessageCount = 199;
    static constexpr size_t kFormatListMax = 19;

    // Control texts at their built-in defaults, settings at their rebuild defaults,
    // lists, tooltips and messages empty (as before any settings read).
    SettingsModel();

    // The control with this section key, matched without regard to letter case;
    // nullptr when the file has no such section.
    ControlText* control(const std::string& key);
    const ControlText* control(const std::string& key) const;
    // All 171 control sections in file order.
    std::vector<ControlEntry>& controls() { return m_controls; }
    const std::vector<ControlEntry>& controls() const { return m_controls; }

    // Message n (1..199); "" for a number without text or out of range.
    const std::string& message(int n) const;
    void setMessage(int n, const std::string& text);
    // File-dialog text n (1..19, file order); "" when there is none.
    const std::string& fileTypeMessage(int n) const;

    ProgramSettings settings;

    // The four receive-format lists (item k of a format combo is element k).
    std::vector<std::string> RawFormatList;
    std::vector<std::string> CoordFormatList;
    std::vector<std::string> RawFormatFileList;
    std::vector<std::string> CoordFormatFileList;
    // The other list sections, in the same way.
    std::vector<std::string> SendFormatList;
    std::vector<std::string> PortList;
    std::vector<std::string> SpeedList;
    std::vector<std::string> DataBitsList;
    std::vector<std::string> FlowControlList;
    std::vector<std::string> CoordOrderList;
    std::vector<std::string> CoordLabelList;

    // Settings-button tooltips by list position (0..19); "" where the file has no key.
    std::vector<std::string> TipRawFormat = std::vector<std::string>(kTipPositions + 1);
    std::vector<std::string> TipCoordFormat = std::vector<std::string>(kTipPositions + 1);
    std::vector<std::string> TipRawFormatFile = std::vector<std::string>(kTipPositions + 1);
    std::vector<std::string> TipCoordFormatFile = std::vector<std::string>(kTipPositions + 1);

    // [Messages for file types], file order (element 0 is text number 1).
    std::vector<std::string> FileTypeMessages;
    // [Messages] by number; element 0 unused.
    std::vector<std::string> Messages = std::vector<std::string>(kMessageCount + 1);

private:
    std::vector<ControlEntry> m_controls;
    std::unordered_map<std::string, size_t> m_index; // upper-cased key -> m_controls
};

} // namespace tavrelo
