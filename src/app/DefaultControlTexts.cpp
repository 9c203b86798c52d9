#include "app/DefaultControlTexts.h"

namespace tavrelo {

namespace {

constexpr ControlKind Tx = ControlKind::TextBox;
constexpr ControlKind Cap = ControlKind::Captioned;
constexpr ControlKind Cb = ControlKind::Combo;
constexpr ControlKind Win = ControlKind::Window;
constexpr const char* S = "MS Sans Serif";
constexpr double P = 8.25;
using W = SettingsWindow;

// Heights of combo boxes are set by their font, so their height column is unused.
// The field-order and calculation dialogs, and the help window, size themselves when
// they are shown; their rows carry those sizes at the default font (a field list 315
// high, a label 195, a frame allowance of 405 on the dialogs' outer height).
const std::vector<DefaultControlText> kRows = {
    // key, kind, window, caption, font, bold, italic, size, height, width, tooltip
    {"Main Form", Win, W::Main, "Tavrelo version 1.10", S, false, false, P, 5475, 7305, ""},
    {"Fr1", Cap, W::Main, "Source:", S, false, false, P, 1650, 3390, ""},
    {"Fr2", Cap, W::Main, "Receiving data format:", S, false, false, P, 1650, 3390, ""},
    {"Fr3", Cap, W::Main, "Save as:", S, false, false, P, 1452, 6900, ""},
    {"OpSourse0", Cap, W::Main, "Download from instrument", S, false, false, P, 255, 3000,
     "Receive data via the RS-232 cable from the instrument"},
    {"OpSourse1", Cap, W::Main, "Select file from disk", S, false, false, P, 255, 3000,
     "Select the data file that you want to convert"},
    {"ComFileName", Cap, W::Main, "<filename>", S, false, false, P, 375, 3000, ""},
    {"OpReceive0", Cap, W::Main, "Zarel RAW data format V2.00", S, false, false, P, 255, 3000,
     "Data format of the source is the Zarel RAW data format V2.00"},
    {"OpReceive1", Cap, W::Main, "Coordinate data", S, false, false, P, 255, 3000,
     "Data format of the source is a coordinate list as output by the instrument"},
    {"OpReceive2", Cap, W::Main, "Other", S, false, false, P, 255, 3000,
     "Data format of the source cannot be converted"},
    {"LbFileName", Cap, W::Main, "Filename:", S, false, false, P, 195, 675, ""},
    {"LbDataFormat", Cap, W::Main, "Data format:", S, false, false, P, 195, 870, ""},
    {"TxFileName", Tx, W::Main, "", S, false, false, P, 288, 3885, "Specify filename for your data"},
    {"ComboDataFormat", Cb, W::Main, "", S, false, false, P, 315, 3885, "Specify file data format"},
    {"CheckOrigDF", Cap, W::Main, "Also save the original data format", S, false, false, P, 255, 3885, ""},
    {"ComSaveBrowse", Cap, W::Main, "&Browse", S, false, false, P, 375, 1095, "Specify filename for your data"},
    {"ComSaveSetings", Cap, W::Main, "&Settings", S, false, false, P, 375, 1095, ""},
    {"ComDLN", Cap, W::Main, "&Download", S, false, false, P, 375, 1215, ""},
    {"ComConv", Cap, W::Main, "&Convert", S, false, false, P, 375, 1215, ""},
    {"ComViewFile", Cap, W::Main, "&View saved file", S, false, false, P, 375, 1575, ""},
    {"ComExit", Cap, W::Main, "E&xit", S, false, false, P, 375, 1095, ""},
    {"ComHelp", Cap, W::Main, "&Help", S, false, false, P, 375, 1095, ""},
    {"FrSend", Cap, W::Main, "Data source", S, false, false, P, 1263, 6900, ""},
    {"LbFileNameSend", Cap, W::Main, "Filename:", S, false, false, P, 195, 675, ""},
    {"LbDataFormaSend", Cap, W::Main, "Data format:", S, false, false, P, 195, 870, ""},
    {"TxFileNameSend", Tx, W::Main, "", S, false, false, P, 288, 3885, "Specify filename for data send"},
    {"ComboDataFormatSend", Cb, W::Main, "", S, false, false, P, 315, 3885, "Setting for the data format"},
    {"ComBrowseSend", Cap, W::Main, "&Browse", S, false, false, P, 375, 1095, "Select filename"},
    {"ComSettingSend", Cap, W::Main, "&Settings", S, false, false, P, 375, 1095, ""},
    {"ComEditSend", Cap, W::Main, "&Edit", S, false, false, P, 375, 1095, "Edit the specified file"},
    {"ComSend", Cap, W::Main, "Sen&d", S, false, false, P, 375, 1095, "start sending now"},
    {"StFrComm", Cap, W::Main, "Communication:", S, false, false, P, 1116, 6900, ""},
    {"StFrCoord", Cap, W::Main, "Coordinate system:", S, false, false, P, 1140, 6900, ""},
    {"StFrEditor", Cap, W::Main, "Editor", S, false, false, P, 996, 6900, ""},
    {"StLbComm0", Cap, W::Main, "Port:", S, false, false, P, 228, 1020, ""},
    {"StLbComm1", Cap, W::Main, "Speed:", S, false, false, P, 228, 1020, ""},
    {"StLbComm2", Cap, W::Main, "Data bits:", S, false, false, P, 228, 1020, ""},
    {"StLbComm3", Cap, W::Main, "Flow control", S, false, false, P, 228, 1020, ""},
    {"StLbComm4", Cap, W::Main, "Fixed:", S, false, false, P, 228, 1380, ""},
    {"StLbComm5", Cap, W::Main, "Stop bit: 1, Parity: None", S, false, false, P, 228, 1980, ""},
    {"StCombComm0", Cb, W::Main, "", S, false, false, P, 315, 1020, ""},
    {"StCombComm1", Cb, W::Main, "", S, false, false, P, 315, 1020, ""},
    {"StCombComm2", Cb, W::Main, "", S, false, false, P, 315, 1020, ""},
    {"StCombComm3", Cb, W::Main, "", S, false, false, P, 315, 1020, ""},
    {"StLbCoord0", Cap, W::Main, "Coordinate order:", S, false, false, P, 228, 1740, ""},
    {"StLbCoord1", Cap, W::Main, "Coordinate labels:", S, false, false, P, 228, 1740, ""},
    {"StCombCoord0", Cb, W::Main, "", S, false, false, P, 288, 1380, ""},
    {"StCombCoord1", Cb, W::Main, "", S, false, false, P, 315, 2772, ""},
    {"StOpEditor0", Cap, W::Main, "Use Notepad", S, false, false, P, 204, 1548, ""},
    {"StOpEditor1", Cap, W::Main, "Use Other", S, false, false, P, 204, 1548, ""},
    {"TxEditor", Tx, W::Main, "", S, false, false, P, 300, 4500, ""},
    {"ComEditorBrowse", Cap, W::Main, "&Browse", S, false, false, P, 324, 876, ""},

    {"DL_Form", Win, W::Download, "Download data", S, false, false, P, 3990, 4695, ""},
    {"DL_Fr1", Cap, W::Download, "Communication settings", S, false, false, P, 2055, 4455, ""},
    {"DL_Fr2", Cap, W::Download, "Data format", S, false, false, P, 615, 4455, ""},
    {"DL_Fr3", Cap, W::Download, "Receiving", S, false, false, P, 615, 4455, ""},
    {"DL_LbBaundRate", Cap, W::Download, "Baud rate:", S, false, false, P, 228, 1500, ""},
    {"DL_LbDataBits", Cap, W::Download, "Data bits:", S, false, false, P, 228, 1500, ""},
    {"DL_LbParity", Cap, W::Download, "Parity:", S, false, false, P, 228, 1500, ""},
    {"DL_LbStopBit", Cap, W::Download, "Stop bit:", S, false, false, P, 228, 1500, ""},
    {"DL_LbFlowControl", Cap, W::Download, "Flow control:", S, false, false, P, 228, 1500, ""},
    {"DL_LbBaundRate1", Tx, W::Download, "", S, false, false, P, 228, 2500, ""},
    {"DL_LbDataBits1", Tx, W::Download, "", S, false, false, P, 228, 2500, ""},
    {"DL_LbParity1", Tx, W::Download, "", S, false, false, P, 228, 2500, ""},
    {"DL_LbStopBit1", Tx, W::Download, "", S, false, false, P, 228, 2500, ""},
    {"DL_LbFlowControl1", Tx, W::Download, "", S, false, false, P, 228, 2500, ""},
    {"DL_LbDataformat", Tx, W::Download, "", S, false, false, P, 228, 4200, ""},
    {"DL_LbRAWdata", Cap, W::Download, "start sending data now", S, false, false, P, 228, 4200, ""},
    {"DL_ComCancel", Cap, W::Download, "Cancel", S, false, false, P, 375, 1215, ""},

    {"UL_Form", Win, W::Upload, "Send data", S, false, false, P, 3990, 4695, ""},
    {"UL_Fr1", Cap, W::Upload, "Communication settings", S, false, false, P, 2055, 4455, ""},
    {"UL_Fr2", Cap, W::Upload, "Data format", S, false, false, P, 615, 4455, ""},
    {"UL_Fr3", Cap, W::Upload, "Sending", S, false, false, P, 615, 4455, ""},
    {"UL_LbBaundRate", Cap, W::Upload, "Baud rate:", S, false, false, P, 228, 1500, ""},
    {"UL_LbDataBits", Cap, W::Upload, "Data bits:", S, false, false, P, 228, 1500, ""},
    {"UL_LbParity", Cap, W::Upload, "Parity:", S, false, false, P, 228, 1500, ""},
    {"UL_LbStopBit", Cap, W::Upload, "Stop bit:", S, false, false, P, 228, 1500, ""},
    {"UL_LbFlowControl", Cap, W::Upload, "Flow control:", S, false, false, P, 228, 1500, ""},
    {"UL_LbBaundRate1", Tx, W::Upload, "", S, false, false, P, 228, 2500, ""},
    {"UL_LbDataBits1", Tx, W::Upload, "", S, false, false, P, 228, 2500, ""},
    {"UL_LbParity1", Tx, W::Upload, "", S, false, false, P, 228, 2500, ""},
    {"UL_LbStopBit1", Tx, W::Upload, "", S, false, false, P, 228, 2500, ""},
    {"UL_LbFlowControl1", Tx, W::Upload, "", S, false, false, P, 228, 2500, ""},
    {"UL_LbDataformat", Tx, W::Upload, "", S, false, false, P, 228, 4200, ""},
    {"UL_LbRAWdata", Cap, W::Upload, "prepare instrument and press Send", S, false, false, P, 228, 4200, ""},
    {"UL_ComSend", Cap, W::Upload, "&Send", S, false, false, P, 375, 1215, "starrt sending now"},
    {"UL_ComCancel", Cap, W::Upload, "&Cancel", S, false, false, P, 375, 1215, "Cancel upload data"},

    {"KOF_Form", Win, W::Kof, "KOF format", S, true, false, P, 3435, 4035, ""},
    {"Frame", Cap, W::Kof, "KOF header information", S, false, false, P, 2295, 3735, ""},
    {"KOF_Lb1", Cap, W::Kof, "Project:", S, false, false, P, 195, 855, ""},
    {"KOF_Lb2", Cap, W::Kof, "Date:", S, false, false, P, 195, 855, ""},
    {"KOF_Lb3", Cap, W::Kof, "Road:", S, false, false, P, 195, 855, ""},
    {"KOF_Lb4", Cap, W::Kof, "City:", S, false, false, P, 195, 855, ""},
    {"KOF_Lb5", Cap, W::Kof, "Surveyor:", S, false, false, P, 195, 855, ""},
    {"KOF_Tx1", Tx, W::Kof, "", S, false, false, P, 285, 2535, ""},
    {"KOF_Tx2", Tx, W::Kof, "", S, false, false, P, 285, 2535, ""},
    {"KOF_Tx3", Tx, W::Kof, "", S, false, false, P, 285, 2535, ""},
    {"KOF_Tx4", Tx, W::Kof, "", S, false, false, P, 285, 2535, ""},
    {"KOF_Tx5", Tx, W::Kof, "", S, false, false, P, 285, 2535, ""},
    {"KOF_ChkUPNC", Cap, W::Kof, "Use point number conversion", S, false, false, P, 255, 3495, ""},
    {"KOF_ChkUCC", Cap, W::Kof, "Use code conversion", S, false, false, P, 255, 3495, ""},
    {"KOF_ComOK", Cap, W::Kof, "&OK", S, false, false, P, 375, 1095, ""},
    {"KOF_ComCancel", Cap, W::Kof, "&Cancel", S, false, false, P, 375, 1095, ""},

    {"CoordForm", Win, W::CoordForm, "Coordinate file", S, true, false, P, 3495, 5046, ""},
    {"CoordForm_Fr1", Cap, W::CoordForm, "Format", S, false, false, P, 2415, 3015, ""},
    {"CoordForm_Fr2", Cap, W::CoordForm, "Separator", S, false, false, P, 2415, 1695, ""},
    {"CoordForm_Lb0", Cap, W::CoordForm, "Field 1:", S, false, false, P, 195, 615, ""},
    {"CoordForm_Lb1", Cap, W::CoordForm, "Field 2:", S, false, false, P, 195, 615, ""},
    {"CoordForm_Lb2", Cap, W::CoordForm, "Field 3:", S, false, false, P, 195, 615, ""},
    {"CoordForm_Lb3", Cap, W::CoordForm, "Field 4:", S, false, false, P, 195, 615, ""},
    {"CoordForm_Lb4", Cap, W::CoordForm, "Field 5:", S, false, false, P, 195, 615, ""},
    {"CoordForm_Op0", Cap, W::CoordForm, "Comma", S, false, false, P, 255, 1095, ""},
    {"CoordForm_Op1", Cap, W::CoordForm, "Space", S, false, false, P, 255, 1095, ""},
    {"CoordForm_ComOk", Cap, W::CoordForm, "&OK", S, false, false, P, 375, 1095, ""},

    {"SetCalcCoordForm", Win, W::CalcCoord, "Coordinate file", S, false, false, P, 6201, 5046, ""},
    {"SetCalcCoordForm_Fr1", Cap, W::CalcCoord, "Format", S, false, false, P, 2415, 3015, ""},
    {"SetCalcCoordForm_Fr2", Cap, W::CalcCoord, "Separator", S, false, false, P, 2415, 1695, ""},
    {"SetCalcCoordForm_Fr3", Cap, W::CalcCoord, "Corrections:", S, false, false, P, 1695, 4806, ""},
    {"SetCalcCoordForm_Fr4", Cap, W::CalcCoord, "Control file", S, false, false, P, 975, 4806, ""},
    {"SetCalcCoordForm_Lb0", Cap, W::CalcCoord, "Field 1:", S, false, false, P, 195, 615, ""},
    {"SetCalcCoordForm_Lb1", Cap, W::CalcCoord, "Field 2:", S, false, false, P, 195, 615, ""},
    {"SetCalcCoordForm_Lb2", Cap, W::CalcCoord, "Field 3:", S, false, false, P, 195, 615, ""},
    {"SetCalcCoordForm_Lb3", Cap, W::CalcCoord, "Field 4:", S, false, false, P, 195, 615, ""},
    {"SetCalcCoordForm_Lb4", Cap, W::CalcCoord, "Field 5:", S, false, false, P, 195, 615, ""},
    {"SetCalcCoordForm_Op0", Cap, W::CalcCoord, "Comma", S, false, false, P, 255, 1095, ""},
    {"SetCalcCoordForm_Op1", Cap, W::CalcCoord, "Space", S, false, false, P, 255, 1095, ""},
    {"SetCalcCoordForm_ComOk", Cap, W::CalcCoord, "&OK", S, false, false, P, 375, 1095, ""},
    {"SetCalcCoordForm_LbCurRef", Cap, W::CalcCoord, "Curvature and Refraction", S, false, false, P, 195, 2055, ""},
    {"SetCalcCoordForm_LbRefCon", Cap, W::CalcCoord, "Refraction constant", S, false, false, P, 195, 2055, ""},
    {"SetCalcCoordForm_LbSeaLevel", Cap, W::CalcCoord, "Sea level", S, false, false, P, 195, 2055, ""},
    {"SetCalcCoordForm_CheckScFactor", Cap, W::CalcCoord, "Map projection scale factor", S, false, false, P, 255, 2655, ""},
    {"SetCalcCoordForm_TxScaleFactor", Tx, W::CalcCoord, "", S, false, false, P, 285, 1095, ""},
    {"SetCalcCoordForm_CheckControlFile", Cap, W::CalcCoord, "Use Control File", S, false, false, P, 255, 2055, ""},
    {"SetCalcCoordForm_TxControlFile", Tx, W::CalcCoord, "", S, false, false, P, 285, 3495, ""},
    {"SetCalcCoordForm_ComSelectFile", Cap, W::CalcCoord, "Browse", S, false, false, P, 315, 1095, ""},

    {"CoordFormUL", Win, W::UploadCoordForm, "Coordinate file", S, true, false, P, 3495, 5046, ""},

    {"DxfFormSetting", Win, W::Dxf, "DXF format settings", S, false, false, P, 4935, 5850, ""},
    {"DxfFormSetting_LbPL", Cap, W::Dxf, "Point layer name:", S, false, false, P, 195, 1335, ""},
    {"DxfFormSetting_Check0", Cap, W::Dxf, "Write Point Name next to point", S, false, false, P, 255, 3015, ""},
    {"DxfFormSetting_Check1", Cap, W::Dxf, "Write Elevation next to point", S, false, false, P, 255, 3015, ""},
    {"DxfFormSetting_Check2", Cap, W::Dxf, "Write Code next to point", S, false, false, P, 255, 3015, ""},
    {"DxfFormSetting_LbLN0", Cap, W::Dxf, "Layer name:", S, false, false, P, 195, 975, ""},
    {"DxfFormSetting_LbLN1", Cap, W::Dxf, "Layer name:", S, false, false, P, 195, 975, ""},
    {"DxfFormSetting_LbLN2", Cap, W::Dxf, "Layer name:", S, false, false, P, 195, 975, ""},
    {"DxfFormSetting_LbTS0", Cap, W::Dxf, "Text size:", S, false, false, P, 195, 855, ""},
    {"DxfFormSetting_LbTS1", Cap, W::Dxf, "Text size:", S, false, false, P, 195, 855, ""},
    {"DxfFormSetting_LbTS2", Cap, W::Dxf, "Text size:", S, false, false, P, 195, 855, ""},
    {"DxfFormSetting_Option3D0", Cap, W::Dxf, "Output 3D", S, false, false, P, 255, 1335, ""},
    {"DxfFormSetting_Option3D1", Cap, W::Dxf, "Output 2D", S, false, false, P, 255, 1335, ""},
    {"DxfFormSetting_ComOK", Cap, W::Dxf, "&OK", S, false, false, P, 375, 1095, ""},
    {"DxfFormSetting_ComCancel", Cap, W::Dxf, "&Cancel", S, false, false, P, 375, 1095, ""},
    {"DxfFormSetting_LbColr0", Cap, W::Dxf, "Color:", S, false, false, P, 195, 495, ""},
    {"DxfFormSetting_LbColr1", Cap, W::Dxf, "Color:", S, false, false, P, 195, 495, ""},
    {"DxfFormSetting_LbColr2", Cap, W::Dxf, "Color:", S, false, false, P, 195, 495, ""},
    {"DxfFormSetting_ComSelColor0", Cap, W::Dxf, "", S, false, false, P, 300, 300, "Select Color"},
    {"DxfFormSetting_ComSelColor1", Cap, W::Dxf, "", S, false, false, P, 300, 300, "Select Color"},
    {"DxfFormSetting_ComSelColor2", Cap, W::Dxf, "", S, false, false, P, 300, 300, "Select Color"},

    {"Help_Form", Win, W::Help, "Help", S, false, false, P, 5107, 3248, ""},
    {"Help_Fr1", Cap, W::Help, "Contact information", S, false, false, P, 1896, 3000, ""},
    {"Help_Fr2", Cap, W::Help, "Zarel on the Net", S, false, false, P, 1116, 3000, ""},
    {"Help_Fr3", Cap, W::Help, "Tavrelo Help", S, false, false, P, 750, 3000, ""},
    {"Help_LbCI0", Cap, W::Help, "Zarel Survey Instruments", S, false, false, P, 195, 2820, ""},
    {"Help_LbCI1", Cap, W::Help, "P.O. Box 1", S, false, false, P, 195, 2820, ""},
    {"Help_LbCI2", Cap, W::Help, "0000 Survey Town", S, false, false, P, 195, 2820, ""},
    {"Help_LbCI3", Cap, W::Help, "Surveyland", S, false, false, P, 195, 2820, ""},
    {"Help_LbCI4", Cap, W::Help, "Telephone: +00 000 000 000", S, false, false, P, 195, 2820, ""},
    {"Help_LbCI5", Cap, W::Help, "Fax: +00 000 000 001", S, false, false, P, 195, 2820, ""},
    {"Help_Net0", Cap, W::Help, "www.zarel.example", S, false, false, P, 195, 2820, ""},
    {"Help_Net1", Cap, W::Help, "support.zarel.example", S, false, false, P, 195, 2820, ""},
    {"Help_ComOpenHelpFile", Cap, W::Help, "Open &Help file", S, false, false, P, 375, 1575, ""},
    {"Help_ComOK", Cap, W::Help, "&OK", S, false, false, P, 375, 1095, ""},
};

} // namespace

const std::vector<DefaultControlText>& DefaultControlTexts()
{
    return kRows;
}

ControlText ToControlText(const DefaultControlText& row)
{
    ControlText text;
    text.Caption = row.caption;
    text.FontName = row.fontName;
    text.FontBold = row.bold;
    text.FontItalic = row.italic;
    text.FontSize = row.fontSize;
    text.Height = row.height;
    text.Width = row.width;
    text.ToolTipText = row.toolTip;
    return text;
}

std::vector<std::string> ControlKeysOf(SettingsWindow window)
{
    std::vector<std::string> keys;
    for (const DefaultControlText& row : kRows)
        if (row.window == window)
            keys.push_back(row.key);
    return keys;
}

} // namespace tavrelo
