#pragma once
// Where the writers put their bytes. A sink remembers its first failure and ignores
// every later write, so a long run of writes is checked once at the end.
#include <cstdio>
#include <string>

namespace tavrelo {

class ByteSink {
public:
    virtual ~ByteSink() = default;
    void write(const std::string& bytes) { write(bytes.data(), bytes.size()); }
    void write(const char* data, size_t size);
    // A line of text ended by CR LF, as everything the system writes.
    void writeLine(const std::string& line);
    // The line end alone.
    void writeLineEnd();
    bool failed() const { return m_error != 0; }
    int error() const { return m_error; }

protected:
    // Returns 0 or a failure number.
    virtual int put(const char* data, size_t size) = 0;
    void fail(int error) { if (m_error == 0) m_error = error; }

private:
    int m_error = 0;
};

class StringSink : public ByteSink {
public:
    const std::string& bytes() const { return m_bytes; }

protected:
    int put(const char* data, size_t size) override { m_bytes.append(data, size); return 0; }

private:
    std::string m_bytes;
};

// A file written through a buffer. Modes: create a new file in its place, or append.
class FileSink : public ByteSink {
public:
    enum class Mode { Truncate, Append };
    FileSink() = default;
    FileSink(const std::string& path, Mode mode) { open(path, mode); }
    ~FileSink() override;
    bool open(const std::string& path, Mode mode);
    // Flushes and closes; false (with error()) when any byte could not be written.
    bool close();
    bool isOpen() const { return m_file != nullptr; }

protected:
    int put(const char* data, size_t size) override;

private:
    friend class AtomicFile;
    bool openSystemName(const std::string& systemName, Mode mode);

    std::FILE* m_file = nullptr;
};

// A new content for a target that lands whole or not at all: the bytes go to a
// temporary file beside the target, which replaces the target by a rename only in
// commit(). Destroyed without commit(), it removes the temporary file.
// The target is the file a symbolic link leads to (the link stays a link); it must be
// a regular file the user may write, or a new name: anything else fails at once
// (75 not a file, 70 read-only) and nothing is created. A replaced file keeps its
// permission bits, and the temporary name stays within the file system's name limit.
class AtomicFile : public ByteSink {
public:
    explicit AtomicFile(const std::string& target);
    ~AtomicFile() override;
    bool isOpen() const { return m_sink.isOpen(); }
    // False (with error()) when the temporary file could not be written or renamed.
    bool commit();
    void discard();

protected:
    int put(const char* data, size_t size) override;

private:
    // Both in the system's bytes: a link's target may hold what Windows-1252 cannot.
    std::string m_target;
    std::string m_temporary;
    FileSink m_sink;
    bool m_done = false;
    bool m_replaces = false; // the target exists: its mode and owner carry over
    unsigned m_mode = 0;
    unsigned m_owner = 0, m_group = 0;
};

// Writes bytes to path as a whole new file through AtomicFile; returns 0 or a failure number.
int WriteFileAtomically(const std::string& path, const std::string& bytes);
// Copies the file from byte for byte to path to through AtomicFile, a piece at a time
// whatever its size; returns 0 or a failure number, readFailed telling whether it
// was the reading of from that failed.
int CopyFileAtomically(const std::string& from, const std::string& to, bool* readFailed = nullptr);

} // namespace tavrelo
