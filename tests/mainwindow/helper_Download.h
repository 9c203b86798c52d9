#pragma once
// Drives a download from the simulated instrument through the real windows: the
// program started in its own folder with COM1 linked to the simulator, the download
// window found by name while Download runs, its byte count watched, and Cancel or
// the close box pressed at a chosen moment.
#include "helper_Receive.h"
#include "support/InstrumentSimulator.h"

#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

namespace tavrelo::test {

using Step = InstrumentSimulator::Step;

// The download window while it is loaded; nullptr when it is not.
QWidget* DownloadWindow();

struct DownloadDriver : ReceiveDriver {
    explicit DownloadDriver(const QString& programFolder = QString(), const QString& workFolder = QString());
    std::string tempFile() const { return folder.folder() + "/Pemdrix.tem"; }
    // Once when(): the download window's Cancel (or its close box).
    void cancelWhen(std::function<bool()> when, bool closeBox = false);
    // Once when(), while the download window stands: act() (a change on the disk, say).
    void actWhen(std::function<bool()> when, std::function<void()> act);
    // Download pressed; returns when the command has ended.
    void download();
    // The received data run through a converter directly, as the dispatch should have.
    QByteArray direct(const char* converter, const std::string& input) const;
    const RecordingInteraction::Message* lastMessage() const;

    InstrumentSimulator instrument;
    // Sampled every 20 ms during Download: the status texts shown, each change once,
    // and whether the main window was ever enabled while the download window stood.
    QStringList statusTexts;
    QString formatText; // the data format the download window showed
    bool mainEnabledDuringDownload = false;

private:
    void sample();
    QTimer m_sampler;
    std::function<bool()> m_cancelWhen;
    std::function<bool()> m_actWhen;
    std::function<void()> m_act;
    bool m_closeBox = false;
};

} // namespace tavrelo::test
