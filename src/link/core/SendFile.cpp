#include "link/core/SendFile.h"

#include "app/FileHelpers.h"
#include "platform/ByteSink.h"
#include "platform/FileSystem.h"
#include "platform/RunError.h"
#include "platform/TextRules.h"

namespace tavrelo {

namespace {

// Files this short hold no record the instrument could take.
constexpr std::uint64_t kSmallestSendFile = 4;

} // namespace

SendFileVerdict CheckSendFile(const std::string& name, const std::string& tempFileName)
{
    const std::string path = StripQuotes(name);
    if (ToUpperAscii(path).find(ToUpperAscii(tempFileName)) != std::string::npos)
        return SendFileVerdict::Refused;
    const int error = CheckFileName(path);
    if (error == RunError::PathNotFound)
        return SendFileVerdict::Refused;
    if (error == RunError::FileNotFound)
        return SendFileVerdict::New;
    if (error != RunError::None)
        return SendFileVerdict::Unusable;
    std::uint64_t size = 0;
    if (!FileSize(path, size))
        return SendFileVerdict::Unusable;
    if (size == 0)
        return SendFileVerdict::New;
    return size < kSmallestSendFile ? SendFileVerdict::NoData : SendFileVerdict::Old;
}

std::string SendFileTemplate(NewSendFileKind kind)
{
    if (kind == NewSendFileKind::Coordinate)
        return {};
    return "DEFAULT\r\n{\r\n\r\n}\r\n";
}

int CreateSendFile(const std::string& path, NewSendFileKind kind)
{
    if (path.empty())
        return RunError::BadFileName;
    return WriteFileAtomically(path, SendFileTemplate(kind));
}

} // namespace tavrelo
