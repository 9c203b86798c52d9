#pragma once
// The help window: the maker's contact lines, two web addresses and the button that
// opens the manual. Its texts are the settings file's "Help_" sections, so setup mode
// edits them like the main window's; it lays itself out again each time it becomes
// active, so a longer line or a larger font moves what lies below. The manual and the
// addresses open through the user interaction (never through a shell). OK hides the
// window; the close box unloads it, and in setup mode refuses with a message.
#include <QDialog>

#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;

namespace tavrelo {

class SettingsModel;
class UserInteraction;
struct ProgramState;

class F_Help : public QDialog {
    Q_OBJECT
public:
    F_Help(SettingsModel& model, const ProgramState& state, UserInteraction& ui, QWidget* owner);

    // The live texts, fonts and sizes written into the model, as the saver takes them.
    void collectTexts();
    // The close box was used outside setup mode: the window is to be unloaded.
    bool unloadRequested() const { return m_unloadRequested; }

    void Form_Activate();

public slots:
    void reject() override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Section {
        const char* key;
        QWidget* widget;
    };

    void createControls();
    std::vector<Section> sections() const;
    void Form_Load();
    void joinSetupMode();
    void ComOpenHelpFile_Click();
    void LbNet_Click(int index);
    void showFailure(const std::string& text);

    SettingsModel& m_model;
    const ProgramState& m_state;
    UserInteraction& m_ui;
    bool m_unloadRequested = false;

    QGroupBox* m_fr1;
    QGroupBox* m_fr2;
    QGroupBox* m_fr3;
    std::array<QLabel*, 6> m_lbCI{};
    std::array<QLabel*, 2> m_lbNet{};
    QPushButton* m_comOpenHelpFile;
    QPushButton* m_comOK;
};

} // namespace tavrelo
