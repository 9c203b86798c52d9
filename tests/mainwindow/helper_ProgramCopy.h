#pragma once
// The real program, copied into a test's program folder so that the folder is its
// own, and started there as a process of its own. A box it shows cannot be answered
// from another process: its words are read from its standard error, where the start
// says each of its boxes, and the test ends it.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>

namespace tavrelo::test {

// What a start says when it reads no settings file and goes on with the defaults.
extern const char* const kNoSettingsWords;

// program (the executable the build made) copied into folder, once; its path there.
QString ProgramCopiedInto(const QString& folder, const QString& program);

// The lock file of a program folder as the program holds it.
QString LockPathIn(const std::string& folder);

// The process whose words stand in the folder's lock file, 0 for none.
qint64 LockHolder(const std::string& folder);

// The refusal of a copy that finds the program running from folder.
QString Refusal(const std::string& folder);

// A copy of the program started from a folder, ended with the test whatever happens.
struct ProgramCopy {
    enum class As { TheTest, Nobody };
    explicit ProgramCopy(const QString& program, const QStringList& words = {}, As as = As::TheTest,
                         const QString& workingFolder = QString());
    ~ProgramCopy() { end(); }
    void end();
    // All it said on standard error so far.
    QString said();
    // It has said a box of the start: the lock's, or the settings file's.
    bool spoke();

    QProcess process;
    QString text;
};

} // namespace tavrelo::test
