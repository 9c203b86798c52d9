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
// What openDocument hands to the desktop: a web address (http or https only) or a
// file on this machine, each opened in the desktop's application for it.
enum class DocumentKind { WebAddress, LocalFile };

class UserInteraction {
public:
    virtual ~UserInteraction() = default;
    virtual void beep() = 0;
    // Texts in the settings file's code page.
    virtual MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                  const std::string& title) = 0;
    // The same box for a text in UTF-8, for the one message that must show what the
    // code page cannot hold: a file name refused for a letter such as "Ł", shown as the
    // user typed or chose it. The title stays in the code page. Without a way of its
    // own, the text goes through message() with "?" for such letters.
    virtual MessageAnswer unicodeMessage(const std::string& utf8Text, MessageButtons buttons, MessageIcon icon,
                                         const std::string& title);
    virtual void setBusy(bool busy) = 0;
    // Never through a shell. False when nothing could be started.
    virtual bool openDocument(DocumentKind kind, const std::string& target)
    {
        (void)kind;
        (void)target;
        return false;
    }
};

// Remembers every call and answers message boxes from a queue (Ok/Yes/Retry first
// button by default), for tests and for runs without a window.
class RecordingInteraction : public UserInteraction {
public:
    struct Message {
        std::string text; // in the code page; in UTF-8 when unicode
        MessageButtons buttons;
        MessageIcon icon;
        std::string title;
        bool unicode = false;
    };

    void beep() override { ++beeps; }
    MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title) override;
    MessageAnswer unicodeMessage(const std::string& utf8Text, MessageButtons buttons, MessageIcon icon,
                                 const std::string& title) override;
    void setBusy(bool busy) override { this->busy = busy; busyChanges.push_back(busy); }
    bool openDocument(DocumentKind kind, const std::string& target) override
    {
        opened.push_back({kind, target});
        return openSucceeds;
    }

    void queueAnswer(MessageAnswer answer) { m_answers.push_back(answer); }
    void clear()
    {
        beeps = 0;
        messages.clear();
        busyChanges.clear();
        busy = false;
        m_answers.clear();
        opened.clear();
        openSucceeds = true;
    }

    int beeps = 0;
    std::vector<Message> messages;
    std::vector<bool> busyChanges;
    bool busy = false;
    struct Opened {
        DocumentKind kind;
        std::string target;
    };
    std::vector<Opened> opened;
    bool openSucceeds = true; // what openDocument answers

private:
    MessageAnswer record(Message message);

    std::deque<MessageAnswer> m_answers;
};

} // namespace tavrelo
