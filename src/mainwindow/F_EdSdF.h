#pragma once
// The new send file dialog: shown when the file named on the Send tab does not exist
// (or is empty). It creates an empty coordinate file, or a code or point-name list
// from the four-line template, and opens it in the user's editor so the user can fill
// it in before sending.
//
// The answer comes back in DialogAnswer: "" when the file was created, "PALI" when it
// was not (Cancel, the close box, Escape, or a file that could not be created). Cancel
// only hides the dialog, so the kind chosen survives to the next showing.
#include <QDialog>

#include <functional>
#include <string>

class QPushButton;
class QRadioButton;

namespace tavrelo {

class SettingsModel;
struct ProgramState;
class UserInteraction;

class F_EdSdF : public QDialog {
    Q_OBJECT
public:
    using OpenInEditor = std::function<bool(const QString& program, const QString& file, QString* error)>;

    F_EdSdF(const SettingsModel& model, ProgramState& state, UserInteraction& ui, OpenInEditor openInEditor,
            QWidget* parent = nullptr);

    // What the next showing works on: the file to create, the send format position
    // (0..2 preselect the kind; any other keeps the last choice) and the editor
    // program ("" for the desktop's viewer).
    void prepare(const std::string& fileName, int sendFormat, const QString& editor);

    // True when the dialog ended with the file created.
    bool created() const { return m_created; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ComOK_Click();
    void EditnewFile();
    int selectedKind() const;

    const SettingsModel& m_model;
    ProgramState& m_state;
    UserInteraction& m_ui;
    OpenInEditor m_openInEditor;
    std::string m_fileName;
    int m_sendFormat = 0;
    QString m_editor;
    bool m_created = false;

    QRadioButton* m_opEditNewFile[3];
    QPushButton* m_comOK;
    QPushButton* m_comCancel;
};

} // namespace tavrelo
