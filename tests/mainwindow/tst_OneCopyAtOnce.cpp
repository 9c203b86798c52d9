// Copies of the real program started at one moment from one folder: never do two of
// them hold it. Each round starts eight copies in a folder without settings file, so
// that each says what it does: the one that holds the folder goes on and says that it
// reads no settings; every other one says that the program is already running from
// that folder. A round starts with no lock file (the copies race to make it) or with
// the one the last round's holder left when it was killed (they race to take it).
#include "helper_ProgramCopy.h"
#include "helper_Session.h"

#include <QFile>
#include <QTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace tavrelo;
using namespace tavrelo::test;

namespace {

constexpr int kStartMs = 60000; // eight starts at once on a loaded machine, with a wide margin
constexpr int kCopies = 8;
constexpr int kRounds = 200;

} // namespace

class OneCopyAtOnceTest : public QObject {
    Q_OBJECT
private slots:
    void copiesStartedAtOnceNeverShareTheFolder();
};

void OneCopyAtOnceTest::copiesStartedAtOnceNeverShareTheFolder()
{
    ProgramFolder folder;
    const QString program = ProgramCopiedInto(folder.path(), QStringLiteral(TAVRELO_PROGRAM));
    const QString refusal = Refusal(folder.folder());
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0)
            QFile::remove(LockPathIn(folder.folder()));
        std::vector<std::unique_ptr<ProgramCopy>> copies;
        for (int i = 0; i < kCopies; ++i)
            copies.push_back(std::make_unique<ProgramCopy>(program));
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(copies.begin(), copies.end(),
                                             [](const auto& copy) {
                                                 return copy->spoke() ||
                                                        copy->process.state() == QProcess::NotRunning;
                                             }),
                                 kStartMs);
        int wentOn = 0;
        int refused = 0;
        QString words;
        for (const auto& copy : copies) {
            const QString said = copy->said();
            wentOn += said.contains(kNoSettingsWords) ? 1 : 0;
            refused += said.contains(refusal) ? 1 : 0;
            words += "\n--- " + QString::number(copy->process.processId()) + ":\n" + said;
        }
        const QString what = "round " + QString::number(round) + ":" + words;
        QVERIFY2(wentOn == 1 && refused == kCopies - 1, qPrintable(what));
        QVERIFY(!folder.hasIni()); // the one that went on stands at the settings box
        for (const auto& copy : copies)
            copy->end();
    }
}

QTEST_MAIN(OneCopyAtOnceTest)
#include "tst_OneCopyAtOnce.moc"
