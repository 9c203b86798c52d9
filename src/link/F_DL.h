#pragma once
// The download window "Download data": the communication settings and the data format
// of the download, the running byte count and Cancel. It carries the download port
// (Comm). Cancel and the close box ask the running download to stop; in setup mode
// Cancel only hides the window and the close box is refused with the setup box.
#include "link/TransferFrames.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <string>

class QPushButton;

namespace tavrelo {

class DialogTexts;
class SerialLink;
class SettingsModel;
class UserInteraction;
struct ProgramState;

class F_DL : public QDialog {
    Q_OBJECT
public:
    // The load: the "DL_" sections read from the settings file (nothing read while
    // the file is being rebuilt) and the rows laid out.
    F_DL(SettingsModel& model, ProgramState& state, UserInteraction& ui, QWidget* parent = nullptr);
    ~F_DL() override;

    SerialLink& Comm() const { return *m_comm; }

    // The five values (speed, data bits, "None", "1", flow control) and the data
    // format shown, every label sized to its text and Cancel centred.
    void showSettings(const TransferSettingsTexts& texts);
    // The running count of received characters. A paint costs a round trip to the
    // display server, which after every read of a fast download would cost half its
    // speed: the count is painted at most ten times a second, and a count that comes
    // between two paints is painted when its turn comes, so the last one always shows.
    void showByteCount(qint64 byteCount);
    // A count still waiting for its turn is painted now: the download has ended, and
    // its box shows over the window.
    void paintPendingByteCount();
    // The window centred on owner (outer sizes).
    void centreOn(const QWidget* owner);

    // The live texts into the model; the status label keeps its designed caption,
    // since what it shows during a download is not a caption.
    void collectTexts(SettingsModel& model) const;

signals:
    // Cancel or the close box outside setup mode.
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void createControls();
    void joinSetupMode();
    void layOut();
    void ComCancel_Click();
    void refuseInSetupMode();
    void paintByteCount();

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    SerialLink* m_comm;
    DialogTexts* m_texts;
    std::unique_ptr<TransferFrames> m_frames;
    QPushButton* m_comCancel;
    qint64 m_byteCount = 0;
    QElapsedTimer m_sinceCountPainted;
    QTimer m_countTurn;
};

} // namespace tavrelo
