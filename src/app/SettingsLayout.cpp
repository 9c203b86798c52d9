#include "app/SettingsLayout.h"

namespace tavrelo {

namespace {

using M = SettingsModel;

const std::vector<ListSection> kLists = {
    {"Zarel RAW data options", &M::RawFormatList, M::kFormatListMax,
     {"Zarel RAW data format V2.00", "KOF raw data file", "MAPA 2 raw data file", "SDR-2x raw data file",
      "SDR-33 raw data file", "Eghas raw data file", "NEDCAD raw data file", "Coordinate file"}},
    {"Coortinate data options", &M::CoordFormatList, M::kFormatListMax,
     {"Coordinate file", "DXF file", "KOF coordinate file", "SDR-2x coordinate file", "SDR-33 coordinate file"}},
    {"Zarel RAW data options file", &M::RawFormatFileList, M::kFormatListMax,
     {"KOF raw data file", "MAPA 2 raw data file", "Eghas raw data file", "NEDCAD raw data file",
      "Coordinate file"}},
    {"Coortinate data options file", &M::CoordFormatFileList, M::kFormatListMax,
     {"DXF file", "KOF coordinate file"}},
    {"Send data format", &M::SendFormatList, 0,
     {"Coordinate file", "Zarel Code file", "Zarel PT Name List file", "KOF"}},
    {"Coomunication Port", &M::PortList, 0, {"COM1", "COM2", "COM3", "COM4"}},
    {"Coomunication Speed", &M::SpeedList, 0, {"1200", "2400", "4800", "9600", "19200", "38400"}},
    {"Coomunication Data bits", &M::DataBitsList, 0, {"7", "8"}},
    {"Coomunication Flow control", &M::FlowControlList, 0, {"None", "Xon/Xoff"}},
    {"Coordinate order", &M::CoordOrderList, 0, {"NEZ", "ENZ"}},
    {"Coordinate labes", &M::CoordLabelList, 0,
     {"Northing = N, Easting = E", "Northing = X, Easting = Y", "Northing = Y, Easting = X"}},
};

const std::vector<TooltipTable> kTooltipTables = {
    {"NR", 1, 7, &M::TipRawFormat},
    {"Co", 0, 5, &M::TipCoordFormat},
    {"NRF", 0, 4, &M::TipRawFormatFile},
    {"CoF", 0, 1, &M::TipCoordFormatFile},
};

// The instrument's own raw format (NR0) has no settings; Co5 has no default.
const std::vector<KeyDefault> kTooltips = {
    {"NR1", "KOF settings"},
    {"NR2", "MAPA2 settings"},
    {"NR3", "SDR-2x settings"},
    {"NR4", "SDR-33 settings"},
    {"NR5", "Eghas settings"},
    {"NR6", "NEDCAD settings"},
    {"NR7", "Coordinate file settings"},
    {"Co0", "Coordinate file settings"},
    {"Co1", "DXF settings"},
    {"Co2", "KOF settings"},
    {"Co3", "SDR-2x settings"},
    {"Co4", "SDR-33 settings"},
    {"NRF0", "KOF settings"},
    {"NRF1", "MAPA2 settings"},
    {"NRF2", "Eghas settings"},
    {"NRF3", "NEDCAD settings"},
    {"NRF4", "Coordinate file settings"},
    {"CoF0", "DXF settings"},
    {"CoF1", "KOF settings"},
};

using P = ProgramSettings;

const std::vector<TextSetting> kTextSettings = {
    {"JobPath", &P::JobPath},
    {"SaveAsPath", &P::SaveAsPath},
    {"UpLoadPath", &P::UpLoadPath},
    {"ProgramEditor", &P::ProgramEditor},
};

const std::vector<IntegerSetting> kIntegerSettings = {
    {"OpSourse", &P::OpSourse},
    {"OpReceive", &P::OpReceive},
    {"ComboDataFormatN", &P::ComboDataFormatN},
    {"ComboDataFormatC", &P::ComboDataFormatC},
    {"ComboDataFormatNFile", &P::ComboDataFormatNFile},
    {"ComboDataFormatCFile", &P::ComboDataFormatCFile},
    {"CheckOrigDF", &P::CheckOrigDF},
    {"Port", &P::Port},
    {"Speed", &P::Speed},
    {"DataBits", &P::DataBits},
    {"FlowControl", &P::FlowControl},
    {"StCombCoord0", &P::StCombCoord0},
    {"StCombCoord1", &P::StCombCoord1},
    {"StOpEditor", &P::StOpEditor},
    {"DataSendFormat", &P::DataSendFormat},
};

// The field texts and choices both field-order sections and the calculation section share.
const std::vector<const char*> kFieldNames = {"ComboField1=Point number", "ComboField2=Northing",
                                              "ComboField3=Easting", "ComboField4=Elevation",
                                              "ComboField5=Code"};
const std::vector<const char*> kFieldChoices = {"Field1= 0", "Field2= 1", "Field3= 2",
                                                "Field4= 3", "Field5= 4", "Separator=0"};

// The conversion dialogs offer three ways of leaving a position out.
const std::vector<const char*> kConversionFieldExtras = {"ComboField6=Nothing", "ComboField7=None",
                                                         "ComboField8=Ignore"};

std::vector<const char*> joined(std::initializer_list<std::vector<const char*>> parts)
{
    std::vector<const char*> lines;
    for (const auto& part : parts)
        lines.insert(lines.end(), part.begin(), part.end());
    return lines;
}

const std::vector<OptionSection> kOptionSections = {
    {"SDR33 Settings",
     {"AngleUnits = 1", "DistanceUnits = 0", "PressureUnits = 0", "TemperatureUnits = 0",
      "TemperatureAndPressure = 0", "CurvatureAndRefraction = 1", "RefractionConstant = 0", "SeaLevel = 0"}},
    {"KOF Settings",
     {"Road= ", "City= ", "Surveyor= ", "UsePointNumberConversion = 0", "UseCodeConversion = 0",
      "KofpointFile="}},
    {"Coordinate Settings",
     joined({kFieldNames, kConversionFieldExtras, kFieldChoices})},
    {"Calc Coordinate Settings",
     joined({kFieldNames, kConversionFieldExtras, kFieldChoices,
             {"AngleUnits=1", "DistanseUnits=0", "PressureUnits=0", "TemperatureUnits=0",
      "TemperatureAndPressure =0", "CurvatureAndRefraction =0", "RefractionConstant=1", "SeaLevel=0",
      "MapProjection=0", "MapProjectionScaleFactor=1.00000", "CheckControlFile=0", "ControlFileName= "}})},
    // Here index 5 is "Ignore" and 6 "None", unlike the conversion dialog's list.
    {"Coordinate UpLoad Settings",
     joined({kFieldNames, {"ComboField6=Ignore", "ComboField7=None"}, kFieldChoices})},
    {"DXF Settings",
     {"Dxf_Point_Layer=PT", "Dxf_Check_PointName=1", "Dxf_Check_Elevation=1", "Dxf_Check_Code=1",
      "Dxf_PointName_Layer=PN", "Dxf_Elevation_Layer=EL", "Dxf_Code_Layer=CD", "Dxf_PointName_TS=1",
      "Dxf_Elevation_TS=1", "Dxf_Code_TS=1", "Dxf_Option3D=0", "Dxf_ColorPointName=0",
      "Dxf_ColorElevation=0", "Dxf_ColorCode=0"}},
};

} // namespace

const std::vector<ListSection>& ListSections() { return kLists; }
const std::vector<TooltipTable>& TooltipTables() { return kTooltipTables; }
const std::vector<KeyDefault>& DefaultTooltips() { return kTooltips; }
const std::vector<TextSetting>& DefaultTextSettings() { return kTextSettings; }
const std::vector<IntegerSetting>& DefaultIntegerSettings() { return kIntegerSettings; }
const std::vector<OptionSection>& OptionSections() { return kOptionSections; }

} // namespace tavrelo
