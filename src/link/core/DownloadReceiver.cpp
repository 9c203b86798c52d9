#include "link/core/DownloadReceiver.h"

#include "platform/ByteSink.h"

namespace tavrelo {

namespace {

constexpr unsigned char kCR = 13;
constexpr unsigned char kLF = 10;

bool Dropped(unsigned char c)
{
    return c == 0 || c >= 128;
}

} // namespace

DownloadReceiver::DownloadReceiver(ByteSink& out)
    : m_out(out)
{
}

void DownloadReceiver::take(const char* data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (c == kCR)
            endLine();
        else if (c != kLF && !Dropped(c))
            m_line += static_cast<char>(c);
    }
}

void DownloadReceiver::endLine()
{
    m_out.writeLine(m_line);
    ++m_lineCount;
    m_byteCount += static_cast<int64_t>(m_line.size());
    testDataStart();
    m_line.clear();
}

void DownloadReceiver::testDataStart()
{
    if (m_line.size() >= 2) {
        if (!m_dataStarted && m_line[0] == 'C' && m_line[1] == 'O') {
            if (++m_headerCount > kMaxHeaderLines)
                m_dataStarted = true;
        } else {
            m_dataStarted = true;
        }
    }
    if (m_headerCount == 0 && m_lineCount >= 1)
        m_dataStarted = true;
}

std::string ByteCountText(int64_t byteCount)
{
    return "Bytes:   " + std::to_string(byteCount);
}

} // namespace tavrelo
