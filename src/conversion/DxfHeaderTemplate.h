#pragma once
// The fixed lines of every drawing, kept as data with their group-code lines spelled as
// the layout has them (the same code is not always written with the same leading
// spaces): the opening - HEADER with the extents, a TABLES section with five line
// types, the start of ENTITIES - the code lines of the entities, and the end lines.
#include "conversion/DxfEmitter.h"

#include <cstddef>

namespace tavrelo {

enum class DxfExtentValue { None, MinX, MinY, MaxX, MaxY };

struct DxfTemplatePair {
    DxfCode code;
    const char* value;                            // null: the code line stands alone
    DxfExtentValue extent = DxfExtentValue::None; // when set, the value is that extent
};

// Ends with a lone "  0": its value is the name of the first entity, or ENDSEC.
extern const DxfTemplatePair kDxfHeaderTemplate[];
extern const size_t kDxfHeaderTemplateSize;

// The code lines of POINT and TEXT. An entity starts with its name line (its "0" was
// written before it) and ends with the "0" of whatever follows.
struct DxfEntityCodes {
    DxfCode layer, colour, text, x, y, z, height, next;
};
extern const DxfEntityCodes kDxfEntityCodes;

// After the last entity's "0": "ENDSEC", then this code line, then "EOF".
extern const DxfCode kDxfEndOfFileCode;

} // namespace tavrelo
