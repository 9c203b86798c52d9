#pragma once
// The note shown while a file on disk is converted ("Converting <file>" / "Please
// Wait", modeless) and afterwards the message that the conversion has finished (one
// line and an OK button, modal).
#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

namespace tavrelo {

class SettingsModel;

class F_MsgCon : public QDialog {
    Q_OBJECT
public:
    explicit F_MsgCon(const SettingsModel& model, QWidget* owner = nullptr);

    // Messages 44 and the source's name, 45; shown modeless and drawn at once.
    void showConverting(const std::string& sourceCaption);
    // Messages 46 and 47 with the OK button; returns when the user presses it.
    void showFinished();

    QLabel* Lb1() const { return m_lb1; }
    QLabel* Lb2() const { return m_lb2; }
    QPushButton* ComOK() const { return m_comOK; }

private:
    const SettingsModel& m_model;
    QLabel* m_lb1;
    QLabel* m_lb2;
    QPushButton* m_comOK;
};

} // namespace tavrelo
