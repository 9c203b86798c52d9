#include "app/gui/TavreloApplication.h"

#include "platform/RunError.h"

#include <new>
#include <stdexcept>

namespace tavrelo {

TavreloApplication::TavreloApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TavreloApplication::notify(QObject* receiver, QEvent* event)
{
    bool outOfMemory = false;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        outOfMemory = true;
    } catch (const std::length_error&) {
        outOfMemory = true;
    }
    // Told once the command's memory is free again.
    if (outOfMemory)
        tellOutOfMemory();
    return false;
}

void TavreloApplication::tellOutOfMemory()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (!m_ui)
        return;
    m_ui->setBusy(false);
    m_ui->beep();
    m_ui->message(RunErrorDescription(RunError::OutOfMemory) +
                      ": there is not enough memory to finish this command. Close other programs and try again.",
                  MessageButtons::Ok, MessageIcon::Critical, m_title);
}

} // namespace tavrelo
