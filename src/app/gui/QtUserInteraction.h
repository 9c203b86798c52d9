#pragma once
// The program's user interaction: message boxes with QMessageBox, the beep of the
// desktop and the busy pointer as an application-wide override cursor.
#include "platform/UserInteraction.h"

namespace tavrelo {

class QtUserInteraction : public UserInteraction {
public:
    ~QtUserInteraction() override;

    void beep() override;
    MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title) override;
    // Calls may repeat; the pointer is set once and restored once.
    void setBusy(bool busy) override;

private:
    bool m_busy = false;
};

} // namespace tavrelo
