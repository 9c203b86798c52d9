#include "conversion/DxfEmitter.h"

#include "platform/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace tavrelo {

namespace {
// Bytes a DXF value line cannot carry: control characters would break the line
// structure. The five bytes Windows-1252 leaves undefined are kept as they came, as
// every other data file keeps them.
bool IsUnwritable(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

const char* const kMasks[] = {"0", "0.0", "0.00", "0.000", "0.0000"};
} // namespace

void DxfEmitter::put(const char* bytes, size_t size)
{
    if (m_used + size > kBufferSize) {
        flush();
        if (size > kBufferSize) {
            m_sink.write(bytes, size);
            return;
        }
    }
    std::memcpy(m_buffer + m_used, bytes, size);
    m_used += size;
}

void DxfEmitter::line(const char* bytes, size_t size)
{
    if (m_used + size + 2 > kBufferSize) {
        put(bytes, size);
        put("\r\n", 2);
        return;
    }
    std::memcpy(m_buffer + m_used, bytes, size);
    m_buffer[m_used + size] = '\r';
    m_buffer[m_used + size + 1] = '\n';
    m_used += size + 2;
}

void DxfEmitter::code(DxfCode code)
{
    line(code.line(), code.size());
}

void DxfEmitter::text(const std::string& value)
{
    const auto unwritable = [](char c) { return IsUnwritable(static_cast<unsigned char>(c)); };
    if (std::none_of(value.begin(), value.end(), unwritable)) {
        line(value.data(), value.size());
        return;
    }
    std::string clean = value;
    std::replace_if(clean.begin(), clean.end(), unwritable, '?');
    line(clean.data(), clean.size());
}

void DxfEmitter::text(DxfCode groupCode, const std::string& value)
{
    code(groupCode);
    text(value);
}

void DxfEmitter::fixed(DxfCode groupCode, double value, int decimals)
{
    code(groupCode);
    char digits[kFixedFastRoom];
    if (const size_t length = FormatFixedFast(digits, value, decimals)) {
        line(digits, length);
        return;
    }
    const std::string text = FormatMask(value, kMasks[decimals]);
    line(text.data(), text.size());
}

void DxfEmitter::coordinate(DxfCode groupCode, double value)
{
    const int slot = groupCode.number() / 10 - 1;
    if (groupCode.number() % 10 != 0 || slot < 0 || slot > 2) {
        fixed(groupCode, value, 4);
        return;
    }
    LastCoordinate& last = m_last[slot];
    if (last.length == 0 || last.value != value) {
        last.value = value;
        last.length = FormatFixedFast(last.text, value, 4);
        if (last.length == 0) {
            fixed(groupCode, value, 4);
            return;
        }
    }
    code(groupCode);
    line(last.text, last.length);
}

void DxfEmitter::integer(DxfCode groupCode, int value)
{
    code(groupCode);
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    line(digits, static_cast<size_t>(result.ptr - digits));
}

void DxfEmitter::repeat(const std::string& bytes)
{
    put(bytes.data(), bytes.size());
}

void DxfEmitter::flush()
{
    m_sink.write(m_buffer, m_used);
    m_used = 0;
}

std::string DxfEmitter::Record(const std::function<void(DxfEmitter&)>& fill)
{
    StringSink sink;
    {
        DxfEmitter emitter(sink);
        fill(emitter);
    }
    return sink.bytes();
}

std::string DxfEmitter::LayerName(const std::string& name)
{
    if (name.empty())
        return "0";
    std::string out = name;
    for (char& c : out)
        if (c == '\0' || std::strchr("<>/\\\":;?*|=,'`", c) != nullptr)
            c = '_';
    return out;
}

} // namespace tavrelo
