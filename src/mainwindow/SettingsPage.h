#pragma once
// The Settings page of the main window: the serial link's port, speed, data bits and
// flow control, the coordinate order (and the hidden coordinate-label list), and the
// editor used to view files, Notepad or a program of the user's choice. Every choice
// goes into the program settings at once; Exit saves them. A line under the link's
// lists shows the device the chosen port opens (and each port item's tooltip its
// own), looked at again while the page is shown, so a missing link or an adapter not
// plugged in is seen before a Download.
#include "mainwindow/FormGeometry.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavrelo {

class SettingsModel;
class UserInteraction;
struct ProgramState;

// Asks for a file to open: title, starting folder ("" for the last one) and Qt filter;
// returns "" when cancelled. Tests answer it themselves.
using OpenFilePicker =
    std::function<QString(QWidget* parent, const QString& title, const QString& folder, const QString& filter)>;

class SettingsPage : public QWidget {
    Q_OBJECT
public:
    SettingsPage(SettingsModel& model, ProgramState& state, UserInteraction& ui, QWidget* parent = nullptr);

    void restoreChoices();
    // The device line and the port items' tooltips as the program folder is now.
    void showPortDevices();
    void ResizeForm(const FormGeometry& geometry);
    void setOpenFilePicker(OpenFilePicker picker) { m_pickFile = std::move(picker); }

    static constexpr int kCommCount = 4;
    static constexpr int kCoordCount = 2;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createComm();
    void createCoord();
    void createEditor();
    void wire();

    void StCombComm_Click(int index);
    void StCombCoord_Click(int index);
    void StOpEditor_Click(int index);
    void TxEditor_Change();
    void TxEditor_LostFocus();
    void ComEditorBrowse_Click();
    void selectEditor(int index);
    QString editorFilter() const;

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    OpenFilePicker m_pickFile;
    bool m_checkingEditor = false; // the refusal's box takes the focus from the box
    QString m_lastBrowseFolder;

    QGroupBox* m_stFrComm;
    QLabel* m_stLbComm[6];
    QComboBox* m_stCombComm[kCommCount];
    QLabel* m_portDevice;
    QTimer m_portDeviceWatch;
    QGroupBox* m_stFrCoord;
    QLabel* m_stLbCoord[kCoordCount];
    QComboBox* m_stCombCoord[kCoordCount];
    QGroupBox* m_stFrEditor;
    QRadioButton* m_stOpEditor[2];
    QLineEdit* m_txEditor;
    QPushButton* m_comEditorBrowse;
};

} // namespace tavrelo
