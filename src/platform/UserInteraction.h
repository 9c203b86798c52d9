#pragma once
// The few moments where the core must reach the user: a beep, a message box and the
// busy pointer. The program shows them with Qt; the tests record and answer them.
#include <deque>
#include <string>
#include <vector>

namespace tavrelo {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    virtual void beep() = 0;
    // Texts in the settings file's code page.
    virtual MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                  const std::string& title) = 0;
    virtual void setBusy(bool busy) = 0;
};

// Remembers every call and answers message boxes from a queue (Ok/Yes/Retry first
// button by default), for tests and for runs without a window.
class RecordingInteraction : public UserInteraction {
public:
    struct Message {
        std::string text;
        MessageButtons buttons;
        MessageIcon icon;
        std::string title;
    };

    void beep() override { ++beeps; }
    MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title) override;
    void setBusy(bool busy) override { this->busy = busy; busyChanges.push_back(busy); }

    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    void clear() { beeps = 0; messages.clear(); busyChanges.clear(); busy = false; m_answers.clear(); }

    int beeps = 0;
    std::vector<Message> messages;
    std::vector<bool> busyChanges;
    bool busy = false;

private:
    std::deque<MessageAnswer> m_answers;
};

} // namespace tavrelo
