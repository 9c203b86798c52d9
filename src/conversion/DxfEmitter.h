#pragma once
// Every byte of a DXF file goes through this emitter: a group code right-aligned in
// three characters on one line, its value on the next, CR LF after each, numbers with
// "." whatever the locale, texts in Windows-1252 with "?" for a byte the code page
// lacks. Entity code hands it values and never formats a number itself.
#include "platform/ByteSink.h"

#include <functional>
#include <string>

namespace tavrelo {

class DxfEmitter {
public:
    explicit DxfEmitter(ByteSink& sink) : m_sink(sink) {}
    ~DxfEmitter() { flush(); }
    DxfEmitter(const DxfEmitter&) = delete;
    DxfEmitter& operator=(const DxfEmitter&) = delete;

    void text(int code, const std::string& value);
    // A coordinate (10, 20, 30): four decimals ("1234.5000").
    void coordinate(int code, double value);
    // An extent of the header and a text height: three decimals ("-9999999.000", "1.000").
    void extent(int code, double value) { fixed(code, value, 3); }
    void height(int code, double value) { fixed(code, value, 3); }
    void integer(int code, int value);
    // Bytes made by Record(), written again as they are.
    void repeat(const std::string& bytes);
    // Hands the collected bytes to the sink (also done when the buffer fills and at the end).
    void flush();

    // The bytes of the pairs that fill writes, for the part that a run of entities shares.
    static std::string Record(const std::function<void(DxfEmitter&)>& fill);

    // A layer name as DXF readers accept it: characters that a layer name may not
    // hold become "_", and an empty name is the default layer "0".
    static std::string LayerName(const std::string& name);

private:
    void fixed(int code, double value, int decimals);
    void code(int code);
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
        char text[32];
        size_t length = 0; // 0: nothing kept
    };
    LastCoordinate m_last[3];
};

} // namespace tavrelo
