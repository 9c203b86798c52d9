#pragma once
// The question asked when an output file exists: Append, Overwite or Cancel. The
// caller sets the title, puts the question into DialogAnswer and shows the window
// modally; the answer comes back as DialogAnswer ("Append", "Overwite", "Cancel") and
// OutputFileMode (1, 2, 0). Closing the window any other way (close box, Escape) is
// Cancel, so an existing file is never written to without the user's choice.
#include <QDialog>

class QLabel;
class QPushButton;

namespace tavrelo {

class SettingsModel;
struct ProgramState;

class F_Msg : public QDialog {
    Q_OBJECT
public:
    F_Msg(const SettingsModel& model, ProgramState& state, QWidget* owner = nullptr);

    QLabel* LbMsg() const { return m_lbMsg; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void answer(const char* word, int outputFileMode);

    ProgramState& m_state;
    QLabel* m_im;
    QLabel* m_lbMsg;
    QPushButton* m_comAppend;
    QPushButton* m_comOverwite;
    QPushButton* m_comCancel;
};

// Shows F_Msg over owner with the title and question of the message table (6 and 7)
// and returns the answer word left in DialogAnswer.
std::string AskAppendOrOverwrite(const SettingsModel& model, ProgramState& state, QWidget* owner);

} // namespace tavrelo
