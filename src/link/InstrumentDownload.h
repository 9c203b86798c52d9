#pragma once
// The download side of the instrument link as the main window's Download command uses
// it: the download window (one instance, loaded on first use, unloaded with its port),
// the port set-up (OpenPortDL), the SDR instruction box and the receive loop
// (ReceiveData) with its outcome boxes.
#include "link/DownloadCompletion.h"
#include "link/DownloadSession.h"
#include "link/F_SdrDL.h"

#include <cstdint>
#include <memory>
#include <string>

class QWidget;

namespace tavrelo {

class F_DL;
class SettingsModel;
class UserInteraction;
struct ProgramState;

class InstrumentDownload {
public:
    InstrumentDownload(SettingsModel& model, ProgramState& state, UserInteraction& ui);
    ~InstrumentDownload();

    // The download window, loaded (unseen) when it is not.
    F_DL& window();
    bool isLoaded() const { return m_window != nullptr; }
    // Unloads the window; its port is closed with it.
    void unload();

    // A window left from an earlier run goes with its port; then the port is opened
    // with the Settings page's choices. False (message 15 shown, DialogAnswer holding
    // the failure's number) when it cannot be opened.
    bool OpenPortDL();

    // Shown modally over owner before an SDR download.
    void showSdrInstruction(QWidget* owner, const SdrInstruction& texts);

    // Receives into tempFile (created and emptied by the caller) through the opened
    // port, with the download window shown centred on owner showing dataFormat; ends
    // with the outcome box, the port closed and the window unloaded. True only after
    // a completed download; DialogAnswer is then "", "Stop" after Cancel and "Lathos"
    // after a failure. The box of either names the copy of the data received so far,
    // when any came (KeepReceivedData beside target, or in the program folder when
    // target is "" or its folder cannot be written). A completed download's box says
    // what completion (when given) answers, and when the last line came without its
    // line end, that line and where it is kept.
    bool ReceiveData(QWidget* owner, const std::string& tempFile, const std::string& dataFormat,
                     const std::string& target = std::string(), const CompletionStep& completion = {});

    // Setup mode: the download window shown modally for its texts, with the chosen
    // settings and dataFormat in its value labels as a download shows them; nothing else.
    void showForSetup(QWidget* owner, const std::string& dataFormat);

    // The loaded window's texts into the model for saving (nothing when not loaded).
    void collectTexts();

private:
    struct Outcome {
        DownloadOutcome outcome = DownloadOutcome::Running;
        int errorNumber = 0;
        std::string reason;
        int64_t lines = 0;         // lines ended by a CR in the temporary file
        bool anyData = false;      // anything at all was written to it
        int64_t longLine = 0;      // the line past the readers' limit, 0 none
        int64_t zeroBytes = 0;     // bytes 0 left out
        bool lastLineUnended = false;
        std::string lastLineStart; // the first characters of that line
        std::string keptCopy;      // where the data is kept after a failure or Cancel ("" none)
        DownloadEndNotes notes;    // of a completed download
    };
    void showOutcome(const Outcome& outcome, const std::string& tempFile);
    std::string completedText(const Outcome& outcome, const std::string& tempFile) const;
    std::string failureText(const Outcome& outcome, const std::string& tempFile) const;
    // "<what> kept in <copy>.", or where it is when no copy could be written.
    std::string whereKept(const Outcome& outcome, const std::string& tempFile, const std::string& what) const;
    // "The lines received so far are", or "The data received so far is" before any line end.
    static std::string receivedSoFar(const Outcome& outcome);

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    std::unique_ptr<F_DL> m_window;
};

} // namespace tavrelo
