#pragma once
// The program's user interaction: message boxes with QMessageBox, the beep of the
// desktop, the busy pointer as an application-wide override cursor, and documents and
// web addresses opened in the desktop's applications.
#include "platform/UserInteraction.h"

#include <QString>

namespace tavrelo {

class QtUserInteraction : public UserInteraction {
public:
    ~QtUserInteraction() override;

    void beep() override;
    MessageAnswer message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                          const std::string& title) override;
    // The text shown as it is, every letter of it.
    MessageAnswer unicodeMessage(const std::string& utf8Text, MessageButtons buttons, MessageIcon icon,
                                 const std::string& title) override;
    // Calls may repeat; the pointer is set once and restored once.
    void setBusy(bool busy) override;
    // A web address only with the http or https scheme, a file only as a local file;
    // the desktop's handler is started without a shell (QDesktopServices).
    bool openDocument(DocumentKind kind, const std::string& target) override;

private:
    MessageAnswer show(const QString& text, MessageButtons buttons, MessageIcon icon, const std::string& title);

    bool m_busy = false;
};

} // namespace tavrelo
