#pragma once
// The fixed opening of every drawing: HEADER with the extents, a TABLES section with
// five line types, and the start of ENTITIES. Kept as data; the writer fills in only
// the four extent values.
#include <cstddef>

namespace tavrelo {

enum class DxfExtentValue { None, MinX, MinY, MaxX, MaxY };

struct DxfTemplatePair {
    int code;
    const char* value;
    DxfExtentValue extent = DxfExtentValue::None; // when set, the value is that extent
};

extern const DxfTemplatePair kDxfHeaderTemplate[];
extern const size_t kDxfHeaderTemplateSize;

} // namespace tavrelo
