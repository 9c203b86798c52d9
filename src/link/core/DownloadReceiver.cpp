#include "link/core/DownloadReceiver.h"

#include "platform/ByteSink.h"
#include "platform/LineEnds.h"
#include "platform/LineReader.h"

#include <algorithm>

namespace tavrelo {

namespace {

// Not written: the byte 0, and LF and CR, which end no run of kept characters but
// are handled on their own. Bytes 128 to 255 are letters of the code page (æ, ø, å).
bool Kept(unsigned char c)
{
    return c != 0 && !IsLineEnd(static_cast<char>(c));
}

} // namespace

DownloadReceiver::DownloadReceiver(ByteSink& out)
    : m_out(out)
{
}

// Runs of kept characters go to the file in one write each.
void DownloadReceiver::take(const char* data, size_t size)
{
    size_t run = 0;
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(data[i]);
        if (Kept(c))
            continue;
        keep(data + run, i - run);
        if (c == kCr)
            endLine();
        else if (c == 0)
            ++m_zeroBytes;
        run = i + 1;
    }
    keep(data + run, size - run);
}

void DownloadReceiver::keep(const char* data, size_t size)
{
    if (size == 0)
        return;
    m_out.write(data, size);
    if (m_lineStart.size() < kShownStart)
        m_lineStart.append(data, std::min(size, kShownStart - m_lineStart.size()));
    m_lineLength += static_cast<int64_t>(size);
    m_byteCount += static_cast<int64_t>(size);
    if (m_longLine == 0 && m_lineLength > static_cast<int64_t>(LineReader::kLongestLine))
        m_longLine = m_lineCount + 1;
}

void DownloadReceiver::endLine()
{
    m_out.writeLineEnd();
    ++m_lineCount;
    testDataStart();
    m_lineStart.clear();
    m_lineLength = 0;
}

void DownloadReceiver::testDataStart()
{
    if (m_lineLength >= 2) {
        if (!m_dataStarted && m_lineStart[0] == 'C' && m_lineStart[1] == 'O') {
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
