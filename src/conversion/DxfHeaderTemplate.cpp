#include "conversion/DxfHeaderTemplate.h"

namespace tavrelo {

namespace {
constexpr DxfExtentValue MinX = DxfExtentValue::MinX;
constexpr DxfExtentValue MinY = DxfExtentValue::MinY;
constexpr DxfExtentValue MaxX = DxfExtentValue::MaxX;
constexpr DxfExtentValue MaxY = DxfExtentValue::MaxY;
} // namespace

const DxfTemplatePair kDxfHeaderTemplate[] = {
    {"  0", "SECTION"}, {"  2", "HEADER"},
    {" 9", "$CLAYER"}, {" 8", "0"},
    {" 9", "$TEXTSIZE"}, {"40", "0.65"},
    {" 9", "$TEXTSTYLE"}, {" 7", "SIMPLEX"},
    {" 9", "$ANGDIR"}, {"70", " 0"},
    {"  9", "$AUPREC"}, {" 70", "     0"},
    {"  9", "$EXTMIN"}, {" 10", "", MinX}, {" 20", "", MinY},
    {"  9", "$EXTMAX"}, {" 10", "", MaxX}, {" 20", "", MaxY},
    {"  9", "$LIMMIN"}, {" 10", "", MinX}, {" 20", "", MinY},
    {"  9", "$LIMMAX"}, {" 10", "", MaxX}, {" 20", "", MaxY},
    {" 0", "ENDSEC"},

    {" 0", "SECTION"}, {"  2", "TABLES"},
    {" 0", "TABLE"}, {"  2", "LTYPE"}, {" 70", "     5"},
    {"  0", "LTYPE"}, {"  2", "CONTINUOUS"}, {" 70", "    64"}, {"  3", "Solid line"},
    {" 72", "    65"}, {" 73", "     0"}, {" 40", "0.0"},
    {"  0", "LTYPE"}, {"  2", "DIVIDE2"}, {" 70", "    64"}, {"  3", "__..__..__..__..__..__..__..__..__..__..__..__."},
    {" 72", "    65"}, {" 73", "     6"}, {" 40", "15.875"},
    {" 49", "6.35"}, {" 49", "-3.175"}, {" 49", "0.0"}, {" 49", "-3.175"}, {" 49", "0.0"}, {" 49", "-3.175"},
    {"  0", "LTYPE"}, {"  2", "DOT2"}, {" 70", "    64"}, {"  3", "..............................................."},
    {" 72", "    65"}, {" 73", "     2"}, {" 40", "3.175"},
    {" 49", "0.0"}, {" 49", "-3.175"},
    {"  0", "LTYPE"}, {"  2", "DASHDOT2"}, {" 70", "    64"}, {"  3", "_._._._._._._._._._._._._._._._._._._._._._._._"},
    {" 72", "    65"}, {" 73", "     4"}, {" 40", "12.7"},
    {" 49", "6.35"}, {" 49", "-3.175"}, {" 49", "0.0"}, {" 49", "-3.175"},
    {"  0", "LTYPE"}, {"  2", "DASHED2"}, {" 70", "    64"}, {"  3", "_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _"},
    {" 72", "    65"}, {" 73", "     2"}, {" 40", "9.525"},
    {" 49", "6.35"}, {" 49", "-3.175"},
    {"  0", "ENDTAB"}, {"  0", "ENDSEC"},

    {"  0", "SECTION"}, {"  2", "ENTITIES"},
    {"  0", nullptr},
};

const size_t kDxfHeaderTemplateSize = sizeof kDxfHeaderTemplate / sizeof kDxfHeaderTemplate[0];

const DxfEntityCodes kDxfEntityCodes = {"  8", " 62", "  1", " 10", " 20", " 30", " 40", "  0"};

const DxfCode kDxfEndOfFileCode = " 0";

} // namespace tavrelo
