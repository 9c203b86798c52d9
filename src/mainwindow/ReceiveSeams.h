#pragma once
// What the Receive page asks of the world outside the program: the file dialogs, the
// instrument and the editor. The program's defaults use Qt; tests put their own
// answers in their place.
#include "link/DownloadCompletion.h"
#include "link/F_SdrDL.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace tavrelo {

class InstrumentDownload;
class UserInteraction;

struct ReceiveSeams {
    // The save dialog: start folder and Qt filter, no title; "" when cancelled. The
    // program asks its own Append / Overwite / Cancel question, so the dialog asks none.
    std::function<QString(QWidget* owner, const QString& folder, const QString& filter)> saveFileName;
    // The open dialog with a title and a preselected filter; "" when cancelled.
    std::function<QString(QWidget* owner, const QString& title, const QString& folder, const QString& filter,
                          const QString& selectedFilter)>
        openFileName;
    // Shown before an SDR-2x or SDR-33 download.
    std::function<void(QWidget* owner, const SdrInstruction& box)> showSdrInstruction;
    // Opens the serial port with the communication settings; false when it cannot be
    // opened (the user has been told).
    std::function<bool(QWidget* owner)> openPort;
    // Shows the download window with the data format and receives into tempFile
    // through the opened port; true only after a completed download (the outcome has
    // been shown, the port closed). A download cut off keeps its data beside target;
    // a completed one runs completion just before its box, which says what it answers.
    std::function<bool(QWidget* owner, const std::string& tempFile, const std::string& dataFormat,
                       const std::string& target, const CompletionStep& completion)>
        receiveFromInstrument;
    // Starts the configured editor with the file as its one argument, or (program
    // empty) the desktop's viewer for text files; false with the reason on failure.
    std::function<bool(const QString& program, const QString& file, QString* error)> openInEditor;
};

// The program's own answers: Qt file dialogs, the instrument link's download and
// EditorLaunch.h.
ReceiveSeams DefaultReceiveSeams(InstrumentDownload& download);

} // namespace tavrelo
