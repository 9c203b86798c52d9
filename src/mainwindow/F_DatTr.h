#pragma once
// The main window: three pages (Receive, Send, Settings) in the tab control MainTab,
// Help and Exit below them, the hidden View Map and Save setup buttons and the
// maker's line. It shows what the settings model holds and writes its live texts and
// choices back into the model when the program saves. Exit saves; the close box ends
// without saving, except in setup mode.
#include "mainwindow/FormGeometry.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QLabel;
class QPushButton;
class QTabWidget;

namespace tavrelo {

class F_Help;
class F_map;
class SettingsModel;
struct OptionStores;
struct ProgramState;
class ReceivePage;
class SendPage;
class SettingsPage;
class UserInteraction;
struct SettingsFileResult;

constexpr const char* kTempFileName = "Pemdrix.tem";

class F_DatTr : public QWidget {
    Q_OBJECT
public:
    // The load: under CreateIniMode the window keeps its built-in texts and touches no
    // program state; otherwise OutputFileMode becomes 1 (Append), the Receive page is
    // current and FormLoaded is set.
    // options: the stores of the option dialogs, which the conversions read.
    F_DatTr(SettingsModel& model, ProgramState& state, UserInteraction& interaction, OptionStores& options,
            QWidget* parent = nullptr);
    ~F_DatTr() override;

    // The model's control texts put onto the controls, the lists filled and the
    // remembered choices selected, each selection running its handler.
    void applySettings();
    // Messages 1 to 3 as the captions of the three pages.
    void setTabCaptions();
    // The controls' live texts, fonts and sizes and the original-data tick written
    // into the model, as the savers take them.
    void collectSettings();
    // Whether a failed save at the end is still to be reported: start-up has already
    // said once that the settings file cannot be written.
    void setSaveFailureReported(bool reported) { m_saveFailureReported = reported; }

    QTabWidget* MainTab() const { return m_mainTab; }
    // The map window while it exists.
    F_map* mapWindow() const;
    SettingsPage* settingsPage() const { return m_settingsPage; }
    // The help window while it is loaded (after the first Help), else nullptr.
    F_Help* helpWindow() const { return m_help.get(); }
    ReceivePage* receivePage() const { return m_receivePage; }
    SendPage* sendPage() const { return m_sendPage; }

signals:
    // The program is to end now, with this exit code.
    void programEnded(int exitCode);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createFrame();
    void wire();
    void setBorder();
    void ResizeForm();
    FormGeometry geometryOfPages() const;
    QWidget* controlForKey(const std::string& key);
    void joinSetupMode();
    void saveIniFile();
    void reportSaveFailure(const SettingsFileResult& result);
    void removeTempFile();

    void MainTab_Click();
    void ComExit_Click();
    void Command1_Click();
    void ComHelp_Click();
    // The map window, made on first use, shows the map tables fitted to its picture.
    void ComMapShow_Click();

    SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_interaction;
    OptionStores& m_options;
    bool m_saveFailureReported = false;
    bool m_shownOnce = false;

    QTabWidget* m_mainTab;
    ReceivePage* m_receivePage;
    SendPage* m_sendPage;
    SettingsPage* m_settingsPage;
    QPushButton* m_comHelp;
    QPushButton* m_comExit;
    QPushButton* m_comMapShow;
    QPushButton* m_command1;
    QLabel* m_lbLogon;
    std::unique_ptr<F_Help> m_help;
    QPointer<F_map> m_map;
};

} // namespace tavrelo
