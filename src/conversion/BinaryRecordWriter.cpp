#include "conversion/BinaryRecordWriter.h"

#include "conversion/FixedColumns.h"
#include "conversion/ConverterFiles.h"
#include "conversion/ConverterReport.h"
#include "platform/FileSystem.h"
#include "platform/TextRules.h"

#include <cstdint>
#include <cstring>

namespace tavrelo {

namespace {
const char kStationMarker[] = "\x91\x92";

void AppendSingle(std::string& record, const std::string& field)
{
    const float value = static_cast<float>(Val(field));
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int shift = 0; shift < 32; shift += 8)
        record += static_cast<char>((bits >> shift) & 0xFF);
}

// Bytes to add so that an old target that ends inside a record is not overwritten
// and the new records still start on a record boundary.
size_t PaddingAfter(const std::string& path)
{
    std::uint64_t size = 0;
    if (!IsRegularFile(path) || !FileSize(path, size))
        return 0;
    const size_t rest = static_cast<size_t>(size % kBinaryRecordSize);
    return rest == 0 ? 0 : kBinaryRecordSize - rest;
}
} // namespace

void BinaryRecordWriter::station(ByteSink& out)
{
    std::string record = LeftInColumn(Trim(m_fields[2]), 8) + LeftInColumn(Trim(m_fields[3]), 10);
    AppendSingle(record, m_fields[6]);
    record += kStationMarker;
    out.write(record);

    m_backsightName = Trim(m_fields[4]);
    m_backsightPending = !m_backsightName.empty();
    if (m_backsightPending) {
        m_backsight = LeftInColumn(m_backsightName, 8);
        AppendSingle(m_backsight, "0");
        AppendSingle(m_backsight, m_fields[7]);
        AppendSingle(m_backsight, m_fields[8]);
        AppendSingle(m_backsight, "0");
    }
}

void BinaryRecordWriter::sideShot(ByteSink& out)
{
    const std::string name = Trim(m_fields[2]);
    // The stored record holds the name cut to 8; the comparison is on the whole names.
    if (m_backsightPending && name != m_backsightName)
        out.write(m_backsight);
    m_backsightPending = false;
    std::string record = LeftInColumn(name, 8);
    AppendSingle(record, m_fields[4]);
    AppendSingle(record, m_fields[5]);
    AppendSingle(record, m_fields[6]);
    AppendSingle(record, m_fields[3]);
    out.write(record);
}

void BinaryRecordWriter::write(RawRecordGate& in, ByteSink& out)
{
    RawLine line;
    std::string text;
    while (!out.failed() && in.next(line)) {
        if (!line.record)
            continue;
        text.assign(line.text);
        SplitComma(text, m_fields);
        if (line.record->kind == RawKind::Station)
            station(out);
        else
            sideShot(out);
    }
}

namespace {

void convertRawToRecordFile(ConversionContext& context, const std::string& input, const std::string& output)
{
    // Like every converter, a run that does not reach its end leaves "E", also one
    // that has no file names to work on.
    context.state.TransferStatus = "E";
    if (input.empty() || output.empty())
        return;
    context.ui.setBusy(true);
    RawRecordGate in(kBinaryRecords);
    if (!in.open(input)) {
        ReportConverterFailure(context, in.reader().error());
        return;
    }
    // A target that is the input would be replaced, or grow, while it is read.
    if (RefuseOwnInput(context, output, input))
        return;
    const OutputTarget::Mode mode = OutputTarget::modeFor(context.state.OutputFileMode);
    const size_t padding = mode == OutputTarget::Mode::Append ? PaddingAfter(output) : 0;
    OutputTarget target(output, mode, OutputTarget::Content::Binary);
    if (target.failed()) {
        ReportTargetFailure(context, target);
        return;
    }
    target.write(std::string(padding, '\0'));
    BinaryRecordWriter().write(in, target);
    context.cutShort = in.cutShort();
    WarnLeftOut(context);
    if (!FinishConverterFiles(context, in.reader(), target, padding))
        return;
    context.ui.setBusy(false);
    context.state.TransferStatus = "OK";
}

} // namespace

void ConvertRawToRecordFile(ConversionContext& context, const std::string& input, const std::string& output)
{
    RunGuarded(context, [&] { convertRawToRecordFile(context, input, output); });
}

} // namespace tavrelo
