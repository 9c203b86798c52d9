#include "conversion/ReceivedDataCopy.h"

#include "conversion/ConversionDispatch.h"
#include "platform/ByteSink.h"
#include "platform/FileSystem.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/TextEnding.h"

#include <ctime>

namespace tavrelo {

namespace {

constexpr int kNameTries = 20;

std::string DatedName()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    char text[40];
    std::strftime(text, sizeof text, "Download-%Y-%m-%d-%H%M%S", &local);
    return text;
}

} // namespace

void CopyReceivedLines(LineReader& reader, const std::string& path, ByteSink& out)
{
    reader.setLineLimit(LineReader::kNoLimit); // received data is kept whatever it holds
    const bool lastEnded = FileEndsLine(path);
    std::string_view line;
    while (!out.failed() && reader.next(line)) {
        out.write(line.data(), line.size());
        if (lastEnded || !reader.atEnd())
            out.writeLineEnd();
    }
}

int CopyLinesInto(const std::string& input, const std::string& target)
{
    LineReader reader(input);
    if (!reader.isOpen())
        return reader.error();
    AtomicFile copy(target);
    CopyReceivedLines(reader, input, copy);
    if (reader.error() != 0)
        return reader.error();
    return copy.commit() ? 0 : copy.error();
}

std::string CopyUnderFreeName(const std::string& input, const std::string& base, const std::string& separator,
                              const std::string& ending, int* error)
{
    for (int n = 0; n < kNameTries; ++n) {
        const std::string candidate = base + (n == 0 ? std::string() : separator + std::to_string(n)) + ending;
        if (NameTaken(candidate))
            continue;
        *error = CopyLinesInto(input, candidate);
        return *error == 0 ? candidate : std::string();
    }
    *error = RunError::FileAlreadyExists;
    return std::string();
}

std::string KeepInProgramFolder(const std::string& input, const std::string& programFolder, int* error)
{
    *error = 0;
    if (programFolder.empty())
        return std::string();
    return CopyUnderFreeName(input, JoinPath(programFolder, DatedName()), "-", ".zvk", error);
}

KeptCopy KeepReceivedData(const std::string& input, const std::string& target, const std::string& programFolder)
{
    KeptCopy kept;
    const std::string beside = SaveRawCopy(input, target, &kept.besideError);
    if (!beside.empty() && kept.besideError == 0) {
        kept.path = beside;
        kept.besideTarget = true;
        return kept;
    }
    if (kept.besideError == 0)
        kept.besideError = RunError::FileAlreadyExists; // every name beside the target is taken
    kept.path = KeepInProgramFolder(input, programFolder, &kept.error);
    if (kept.path.empty() && kept.error == 0)
        kept.error = kept.besideError;
    return kept;
}

} // namespace tavrelo
