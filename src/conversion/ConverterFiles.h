#pragma once
// The file handling the coordinate writers share: the input is checked before the
// output is touched, input and output may not be one file, and the output lands
// whole (OutputTarget) or not at all.
#include "conversion/ConversionContext.h"
#include "conversion/OutputTarget.h"
#include "platform/LineReader.h"

#include <memory>
#include <string>
#include <vector>

namespace tavrelo {

// True when both names lead to the same file (compared as canonical paths).
bool SameFile(const std::string& a, const std::string& b);

// True (after one report, TransferStatus "E") when output names the same file as
// input or as one of otherInputs (a control-point or point-number file; empty names
// are skipped): a run never writes over what it reads.
bool RefuseOwnInput(ConversionContext& context, const std::string& outputName, const std::string& inputName,
                    const std::vector<std::string>& otherInputs = {});

// 0 when a converter (or the copy rule) could write outputName with OutputFileMode
// outputFileMode, by the rules of OutputTarget: a regular file the user may write (and
// read, to append to it) or a new name in a folder the user may write. Otherwise the
// failure number the run would meet (70 no permission, 75 not a file, 76 no folder).
// Nothing is left behind.
int CheckConverterTarget(const std::string& outputName, int outputFileMode);

// The path and the reason, in the user's words, why outputName cannot be written, for
// the failure number CheckConverterTarget or CheckFileName gave: "/jobs is a folder,
// not a file.", "The folder /jobs/new/ does not exist.", "Permission denied: /jobs/a.kof
// (the folder /jobs/ may not be written)." and the like.
std::string TargetRefusalText(const std::string& outputName, int error);

// Opens input for reading and output (by OutputFileMode) for writing, in that order;
// reports the first failure (TransferStatus "E") and returns nullptr when either
// fails or the output is one of the inputs (RefuseOwnInput). The target is then untouched.
// mark: what an append writes before the target's old last line without a line end
// (CutLineMarkFor, for the files this program reads back).
std::unique_ptr<OutputTarget> OpenConverterFiles(ConversionContext& context, LineReader& input,
                                                 const std::string& inputName, const std::string& outputName,
                                                 const std::vector<std::string>& otherInputs = {},
                                                 const OutputTarget::UnendedLineMark& mark = {});

// Ends a run: a read failure of input or a write failure of the target is reported
// and the target discarded, and so is a run that wrote nothing beyond its first
// fillerBytes (ReportNoData): an empty result is no success. Otherwise the target is
// committed, and an old last line the append marked is told (TellMarkedLastLine).
// True on success.
bool FinishConverterFiles(ConversionContext& context, LineReader& input, OutputTarget& target,
                          uint64_t fillerBytes = 0);

// Collects output lines and hands them to the sink in large blocks.
class LineBlock {
public:
    explicit LineBlock(ByteSink& sink) : m_sink(sink) { m_text.reserve(kBlock + 1024); }
    ~LineBlock() { flush(); }
    std::string& text() { return m_text; }
    void maybeFlush() { if (m_text.size() >= kBlock) flush(); }
    void flush() { m_sink.write(m_text); m_text.clear(); }

private:
    static constexpr size_t kBlock = 1 << 16;
    ByteSink& m_sink;
    std::string m_text;
};

} // namespace tavrelo
