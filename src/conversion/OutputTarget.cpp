#include "conversion/OutputTarget.h"

#include "platform/FileSystem.h"
#include "platform/RunError.h"

#include <cerrno>
#include <cstdio>

namespace tavrelo {

OutputTarget::OutputTarget(const std::string& path, Mode mode, Content content)
    : m_path(path), m_existed(NameTaken(path)), m_file(std::make_unique<AtomicFile>(path))
{
    if (m_file->failed()) {
        fail(m_file->error());
        return;
    }
    if (mode == Mode::Append && IsRegularFile(path)) {
        std::FILE* old = OpenFile(path, "rb");
        if (!old) {
            fail(RunErrorFromErrno(errno));
            return;
        }
        TextEnding ending;
        char buffer[1 << 16];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, old)) > 0) {
            m_file->write(buffer, n);
            ending.take(buffer, n);
        }
        std::fclose(old);
        if (m_file->failed())
            fail(m_file->error());
        if (content == Content::Text)
            m_lineEndFirst = ending.lineEndBeforeMore();
    }
}

int OutputTarget::put(const char* data, size_t size)
{
    if (!m_lineEndFirst.empty()) {
        m_file->write(m_lineEndFirst);
        m_lineEndFirst.clear();
    }
    m_newBytes += size;
    m_file->write(data, size);
    return m_file->error();
}

bool OutputTarget::commit()
{
    if (failed()) {
        m_file->discard();
        return false;
    }
    if (!m_file->commit())
        fail(m_file->error());
    return !failed();
}

void OutputTarget::discard()
{
    m_file->discard();
}

} // namespace tavrelo
