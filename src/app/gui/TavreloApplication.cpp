#include "app/gui/TavreloApplication.h"

#include "platform/RunError.h"
#include "platform/TextRules.h"

#include <new>
#include <stdexcept>

namespace tavrelo {

namespace {

const char* const kOutOfMemory = ": there is not enough memory to finish this command. Close other programs and try again.";
const char* const kOverflow = ": a number in this command is too large for the program (a value in Tavrelo.ini or in "
                              "the data). The command was stopped; check the values it uses and try again.";

} // namespace

TavreloApplication::TavreloApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TavreloApplication::notify(QObject* receiver, QEvent* event)
{
    int failure = RunError::None;
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        failure = RunError::OutOfMemory;
    } catch (const std::length_error&) {
        failure = RunError::OutOfMemory;
    } catch (const OverflowError&) {
        failure = RunError::Overflow;
    }
    // Told once the command's memory is free again.
    tellCommandStopped(RunErrorDescription(failure) + (failure == RunError::Overflow ? kOverflow : kOutOfMemory));
    return false;
}

void TavreloApplication::tellCommandStopped(const std::string& text)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (!m_ui)
        return;
    m_ui->setBusy(false);
    m_ui->beep();
    m_ui->message(text, MessageButtons::Ok, MessageIcon::Critical, m_title);
}

} // namespace tavrelo
