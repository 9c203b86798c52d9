#pragma once
// Every line kind of a KOF file, written to a sink with its fixed columns. Names and
// codes come in already converted and cut (KofFieldRules); this class owns the columns.
#include "conversion/ConverterFiles.h"
#include "conversion/KofOptions.h"
#include "platform/ByteSink.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrelo {

// Lines are collected in blocks; finish() hands the last block to the sink.
class KofLines {
public:
    explicit KofLines(ByteSink& out) : m_block(out) {}

    // The product line, the given source line and the "01" job line.
    void header(const char* sourceLine, const KofOptions& options);
    // " 00 " and the comment text, as read.
    void comment(std::string_view text);
    void station(std::string_view name, std::string_view code, double pressure, double temperature,
                 double instrumentHeight);
    // The backsight name is cut to its 11 columns.
    void backsight(std::string_view name, double angle);
    void observation(std::string_view name, std::string_view code, double horizontalAngle, double verticalAngle,
                     double slopeDistance, double targetHeight);
    // first goes to columns 25-36, second to 38-48.
    void coordinate(std::string_view name, std::string_view code, double first, double second, double height);
    // " 09 " and the code tail.
    void codeTail(std::string_view tail);
    void finish() { m_block.flush(); }
    // Station, observation and coordinate lines written so far (header and comments not counted).
    int64_t records() const { return m_records; }

private:
    std::string& line() { return m_block.text(); }
    void endLine();

    LineBlock m_block;
    int64_t m_records = 0;
};

extern const char* const kKofSourceFromRaw;
extern const char* const kKofSourceFromCoordinates;

} // namespace tavrelo
