#include "conversion/DxfEmitter.h"

#include "platform/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace tavrelo {

namespace {
// Bytes a DXF value line cannot carry: control characters would break the line
// structure, and these five have no character in Windows-1252.
bool IsUnwritable(unsigned char c)
{
    return c < 0x20 || c == 0x7F || c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

const char* const kMasks[] = {"0", "0.0", "0.00", "0.000", "0.0000"};
constexpr double kScale[] = {1, 10, 100, 1000, 10000};
constexpr std::uint64_t kUnit[] = {1, 10, 100, 1000, 10000};

// FormatMask's digits without its cost: away from a tie (the one case where rounding
// the binary value and rounding its 15-digit decimal form can differ) the value scaled
// to whole units of the last decimal rounds to the same whole number either way, and
// that number's digits are the text. Returns the length written to out (room for 32
// bytes), or 0 for a tie or a huge value, which FormatMask must do.
size_t FastFixed(char* out, double value, int decimals)
{
    const double scaled = std::fabs(value) * kScale[decimals];
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (!(scaled < 1e15) || std::fabs(fraction - 0.5) <= scaled * 1e-14 + 1e-9)
        return 0;
    const std::uint64_t units = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    char* end = out;
    // A value that rounds to zero is written without its sign ("0.0000"), as FormatMask
    // writes it.
    if (value < 0 && units != 0)
        *end++ = '-';
    end = std::to_chars(end, out + 24, units / kUnit[decimals]).ptr;
    if (decimals > 0) {
        *end++ = '.';
        std::uint64_t rest = units % kUnit[decimals];
        for (int i = decimals - 1; i >= 0; --i, rest /= 10)
            end[i] = static_cast<char>('0' + rest % 10);
        end += decimals;
    }
    return static_cast<size_t>(end - out);
}

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
    char digits[32];
    if (const size_t length = FastFixed(digits, value, decimals)) {
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
        last.length = FastFixed(last.text, value, 4);
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
