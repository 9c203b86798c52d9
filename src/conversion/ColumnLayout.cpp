#include "conversion/ColumnLayout.h"

#include "conversion/FixedColumns.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

void appendAligned(std::string& out, std::string_view text, const ColumnField& field)
{
    if (field.width == 0 || (field.overflow == ColumnOverflow::Widen && text.size() >= field.width))
        out.append(text);
    else
        AppendInColumn(out, text, field.width, field.align == ColumnAlign::Right);
}

} // namespace

void AppendColumns(std::string& out, const ColumnLayout& layout, const ColumnValue* values)
{
    std::string number;
    for (size_t i = 0; i < layout.count; ++i) {
        const ColumnField& field = layout.fields[i];
        switch (field.kind) {
        case ColumnField::Kind::Fixed:
            out += field.fixed;
            break;
        case ColumnField::Kind::Text:
            appendAligned(out, values[field.value].text, field);
            break;
        case ColumnField::Kind::Number:
            if (values[field.value].blank) {
                out.append(field.width != 0 ? field.width : std::string_view(field.mask).size(), ' ');
                break;
            }
            number.clear();
            AppendFormatMask(number, values[field.value].number, field.mask);
            appendAligned(out, number, field);
            break;
        }
    }
}

} // namespace tavrelo
