#pragma once
// The program's application object. Every window command runs inside the delivery of
// the event that started it (a click, a key, a timer), so this is the one edge where
// a command that fails past its own checks can be stopped for all of them: one that
// runs out of memory, or meets a number too large for the number rules (a settings
// value of "1e10" where a whole number must fit 16 or 32 bits), ends with a message,
// the busy pointer goes, and the program goes on.
#include "platform/UserInteraction.h"

#include <QApplication>

#include <string>

namespace tavrelo {

class TavreloApplication : public QApplication {
public:
    TavreloApplication(int& argc, char** argv);
    // Where the message goes, under title; unset, a command that fails so ends quietly
    // (start-up, before the user interaction exists).
    void setInteraction(UserInteraction* ui, const std::string& title)
    {
        m_ui = ui;
        m_title = title;
    }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void tellCommandStopped(const std::string& text);

    UserInteraction* m_ui = nullptr;
    std::string m_title;
};

} // namespace tavrelo
