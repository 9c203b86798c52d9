#pragma once
// Every byte of a DXF file goes through this emitter: one item a line, CR LF after each,
// numbers with "." whatever the locale, texts in Windows-1252 as they came, with "?" for
// a control character that would break a line. A group-code line is written as its DxfCode spells it, leading spaces
// included, since readers of our drawings expect those exact lines. Entity code hands
// the emitter codes and values and never formats a number itself.
#include "platform/ByteSink.h"
#include "platform/TextRules.h"

#include <cstddef>
#include <functional>
#include <string>

namespace tavrelo {

// A group-code line as the drawing layout spells it: " 9" and "  9", "70" and " 70" are
// the same code written with different leading spaces. Made from a literal, so the
// spelling stays next to the value it introduces.
class DxfCode {
public:
    template <size_t N>
    constexpr DxfCode(const char (&line)[N]) : m_line(line), m_size(N - 1), m_number(Number(line))
    {
    }
    const char* line() const { return m_line; }
    size_t size() const { return m_size; }
    int number() const { return m_number; }

private:
    static constexpr int Number(const char* line)
    {
        int number = 0;
        for (; *line != '\0'; ++line)
            if (*line >= '0' && *line <= '9')
                number = number * 10 + (*line - '0');
        return number;
    }
    const char* m_line;
    size_t m_size;
    int m_number;
};

class DxfEmitter {
public:
    explicit DxfEmitter(ByteSink& sink) : m_sink(sink) {}
    ~DxfEmitter() { flush(); }
    DxfEmitter(const DxfEmitter&) = delete;
    DxfEmitter& operator=(const DxfEmitter&) = delete;

    // A group-code line alone: the "0" that ends an entity and whose value, the next
    // entity's name or ENDSEC, follows later.
    void code(DxfCode code);
    // A text value line alone (an entity name after the "0" written before it).
    void text(const std::string& value);
    void text(DxfCode code, const std::string& value);
    // A coordinate (10, 20, 30): four decimals ("1234.5000").
    void coordinate(DxfCode code, double value);
    // An extent of the header and a text height: three decimals ("-9999999.000", "1.000").
    void extent(DxfCode code, double value) { fixed(code, value, 3); }
    void height(DxfCode code, double value) { fixed(code, value, 3); }
    // A colour: a whole number ("7").
    void integer(DxfCode code, int value);
    // Bytes made by Record(), written again as they are.
    void repeat(const std::string& bytes);
    // Hands the collected bytes to the sink (also done when the buffer fills and at the end).
    void flush();

    // The bytes of the lines that fill writes, for the part that a run of entities shares.
    static std::string Record(const std::function<void(DxfEmitter&)>& fill);

    // A layer name as DXF readers accept it: characters that a layer name may not
    // hold become "_", and an empty name is the default layer "0".
    static std::string LayerName(const std::string& name);

private:
    void fixed(DxfCode code, double value, int decimals);
    void put(const char* bytes, size_t size);
    void line(const char* bytes, size_t size);

    ByteSink& m_sink;
    static constexpr size_t kBufferSize = 1 << 16;
    char m_buffer[kBufferSize];
    size_t m_used = 0;
    // The last value of each coordinate code and its text: a point's elevation and its
    // labels' X repeat from entity to entity.
    struct LastCoordinate {
        double value = 0;
        char text[kFixedFastRoom];
        size_t length = 0; // 0: nothing kept
    };
    LastCoordinate m_last[3];
};

} // namespace tavrelo
