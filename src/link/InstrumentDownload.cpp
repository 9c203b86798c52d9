#include "link/InstrumentDownload.h"

#include "app/ProgramState.h"
#include "app/SettingsModel.h"
#include "app/gui/QtText.h"
#include "conversion/ReceivedDataCopy.h"
#include "link/DownloadSession.h"
#include "link/F_DL.h"
#include "link/PortSetup.h"
#include "link/SerialLink.h"
#include "link/TransferFrames.h"
#include "link/core/PortSettings.h"
#include "platform/ByteSink.h"
#include "platform/LineReader.h"
#include "platform/RunError.h"
#include "platform/UserInteraction.h"

#include <QEventLoop>

namespace tavrelo {

namespace {

// The title of the box that reports a vanished device; the message table has no
// entry for it unless the settings file adds one, so "Error" stands in.
constexpr int kDeviceTitle = 68;
constexpr int kErrorTitle = 11;

// The receive kind "Other": data the user knows is no survey data.
constexpr int kOtherKind = 2;

// The bytes 0 the download left out, said after what it kept; "" when none was.
std::string ZeroBytesText(int64_t count)
{
    if (count == 0)
        return std::string();
    return std::to_string(count) + " byte(s) with the value 0 were left out: they are no characters of the data.";
}

std::string OnALineOfItsOwn(const std::string& text)
{
    return text.empty() ? text : "\r\n" + text;
}

} // namespace

InstrumentDownload::InstrumentDownload(SettingsModel& model, ProgramState& state, UserInteraction& ui)
    : m_model(model)
    , m_state(state)
    , m_ui(ui)
{
}

InstrumentDownload::~InstrumentDownload() = default;

F_DL& InstrumentDownload::window()
{
    if (!m_window)
        m_window = std::make_unique<F_DL>(m_model, m_state, m_ui);
    return *m_window;
}

void InstrumentDownload::unload()
{
    m_window.reset();
}

bool InstrumentDownload::OpenPortDL()
{
    unload();
    return OpenPort(window().Comm(), m_model, m_state, m_ui);
}

void InstrumentDownload::showSdrInstruction(QWidget* owner, const SdrInstruction& texts)
{
    F_SdrDL box(texts, owner);
    box.exec();
}

bool InstrumentDownload::ReceiveData(QWidget* owner, const std::string& tempFile, const std::string& dataFormat,
                                     const std::string& target, const CompletionStep& completion)
{
    m_state.DialogAnswer.clear();
    F_DL& dl = window();
    dl.showSettings(ChosenTransferTexts(m_model, dataFormat));
    dl.centreOn(owner);
    dl.show();

    FileSink file(tempFile, FileSink::Mode::Append);
    DownloadSession session(dl.Comm(), file);
    QObject::connect(&session, &DownloadSession::progress, &dl, &F_DL::showByteCount);
    QObject::connect(&dl, &F_DL::cancelRequested, &session, &DownloadSession::cancel);
    QEventLoop loop;
    QObject::connect(&session, &DownloadSession::finished, &loop, &QEventLoop::quit);
    const bool opened = file.isOpen();
    if (opened) {
        session.start();
        if (session.outcome() == DownloadOutcome::Running)
            loop.exec();
    }
    dl.Comm().close();
    dl.paintPendingByteCount();
    Outcome outcome;
    outcome.outcome = session.outcome();
    outcome.errorNumber = session.errorNumber();
    outcome.reason = FromQt(session.errorString());
    // The lines must have reached the file, or the download has failed.
    const bool written = opened && file.close();
    if (!written && outcome.outcome != DownloadOutcome::Failed) {
        outcome.outcome = DownloadOutcome::Failed;
        outcome.errorNumber = file.error() ? file.error() : RunError::DeviceIO;
        outcome.reason = RunErrorDescription(outcome.errorNumber);
    }
    const DownloadReceiver& received = session.receiver();
    outcome.lines = received.lineCount();
    outcome.anyData = outcome.lines > 0 || received.currentLineLength() > 0;
    outcome.longLine = received.longLineNumber();
    outcome.zeroBytes = received.zeroBytes();
    outcome.lastLineUnended = received.currentLineLength() > 0;
    outcome.lastLineStart = received.currentLineStart();
    if (received.currentLineLength() > static_cast<int64_t>(outcome.lastLineStart.size()))
        outcome.lastLineStart += "...";
    // A download cut off or cancelled keeps what it has: the next command empties the
    // temporary file. A completed one asks the store what it keeps, before its box.
    if (outcome.outcome != DownloadOutcome::Complete && outcome.anyData)
        outcome.keptCopy = KeepReceivedData(tempFile, target, m_state.AppPath).path;
    if (outcome.outcome == DownloadOutcome::Complete && completion)
        outcome.notes = completion(outcome.lastLineUnended);
    showOutcome(outcome, tempFile);
    unload();
    return outcome.outcome == DownloadOutcome::Complete;
}

void InstrumentDownload::showOutcome(const Outcome& outcome, const std::string& tempFile)
{
    switch (outcome.outcome) {
    case DownloadOutcome::Complete:
        m_ui.beep();
        m_ui.message(completedText(outcome, tempFile), MessageButtons::Ok, MessageIcon::None, m_model.message(18));
        m_state.DialogAnswer.clear();
        break;
    case DownloadOutcome::Cancelled: {
        m_ui.beep();
        std::string text = m_model.message(17);
        if (outcome.anyData)
            text += "\r\n" + whereKept(outcome, tempFile, receivedSoFar(outcome));
        text += OnALineOfItsOwn(ZeroBytesText(outcome.zeroBytes));
        m_ui.message(text, MessageButtons::Ok, MessageIcon::Critical, m_model.message(16));
        m_state.DialogAnswer = "Stop";
        break;
    }
    default: {
        const std::string title =
            outcome.errorNumber == RunError::DeviceUnavailable ? m_model.message(kDeviceTitle) : "";
        m_ui.message(failureText(outcome, tempFile), MessageButtons::Ok, MessageIcon::Exclamation,
                     title.empty() ? m_model.message(kErrorTitle) : title);
        m_state.DialogAnswer = "Lathos";
        break;
    }
    }
}

// Message 19, then what the store keeps: a last line without its line end is said
// with its first characters, as the user may know the record it cut.
std::string InstrumentDownload::completedText(const Outcome& outcome, const std::string& tempFile) const
{
    std::string text = m_model.message(19);
    if (outcome.lastLineUnended) {
        const std::string& place = outcome.notes.lastLinePlace.empty() ? tempFile : outcome.notes.lastLinePlace;
        text += "\r\nThe last line (\"" + outcome.lastLineStart +
                "\") came without its line end: the transfer may have ended early. It is kept as it came, "
                "without a line end, in " + place + ".";
    }
    text += OnALineOfItsOwn(ZeroBytesText(outcome.zeroBytes));
    text += OnALineOfItsOwn(outcome.notes.more);
    return text;
}

// What happened and where the data received so far is, in the user's words; the
// system's reason (or what to look at) on a line of its own. When the temporary file
// itself failed, a copy holds only what reached it before the failure.
std::string InstrumentDownload::failureText(const Outcome& outcome, const std::string& tempFile) const
{
    const bool lost = outcome.errorNumber == RunError::DeviceUnavailable;
    const bool tooLong = outcome.errorNumber == RunError::LineTooLong;
    std::string what;
    std::string reason = outcome.reason.empty() ? RunErrorDescription(outcome.errorNumber) : outcome.reason;
    if (lost) {
        what = "The connection to the instrument was lost (cable or adapter unplugged?).";
    } else if (tooLong) {
        const std::string line = std::to_string(outcome.longLine);
        const std::string limit = std::to_string(LineReader::kLongestLine);
        // Data of the kind "Other" is no survey data by the user's own choice.
        if (m_model.settings.OpReceive == kOtherKind)
            what = "The download stopped: line " + line + " of the received data is longer than " + limit +
                   " characters, the longest line a download takes.";
        else
            what = "The download stopped. The received data is not survey data: line " + line +
                   " is longer than " + limit + " characters.";
        reason = "Are the speed and data bits on the Settings tab those of the instrument?";
    } else {
        what = "The download stopped: the received data could not be written to " + tempFile + ".";
    }
    const std::string kept = lost || tooLong ? receivedSoFar(outcome)
                                             : std::string("The lines written before the failure are");
    std::string where = outcome.anyData ? whereKept(outcome, tempFile, kept) : "Nothing had been received yet.";
    if (outcome.zeroBytes > 0)
        where += " " + ZeroBytesText(outcome.zeroBytes);
    return what + " " + where + "\r\n" + reason;
}

std::string InstrumentDownload::receivedSoFar(const Outcome& outcome)
{
    return outcome.lines > 0 ? "The lines received so far are" : "The data received so far is";
}

std::string InstrumentDownload::whereKept(const Outcome& outcome, const std::string& tempFile,
                                          const std::string& what) const
{
    if (!outcome.keptCopy.empty())
        return what + " kept in " + outcome.keptCopy + ".";
    return what + " only in " + tempFile + ": please copy that file elsewhere before the next Download.";
}

void InstrumentDownload::showForSetup(QWidget* owner, const std::string& dataFormat)
{
    m_state.DialogAnswer.clear();
    F_DL& dl = window();
    dl.showSettings(ChosenTransferTexts(m_model, dataFormat)); // its value labels edited as they stand
    dl.centreOn(owner);
    dl.exec();
}

void InstrumentDownload::collectTexts()
{
    if (m_window)
        m_window->collectTexts(m_model);
}

} // namespace tavrelo
