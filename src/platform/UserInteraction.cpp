#include "platform/UserInteraction.h"

namespace tavrelo {

MessageAnswer RecordingInteraction::message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                            const std::string& title)
{
    messages.push_back({text, buttons, icon, title});
    if (!m_answers.empty()) {
        const MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    switch (buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    case MessageButtons::RetryCancel:
        return MessageAnswer::Retry;
    default:
        return MessageAnswer::Ok;
    }
}

} // namespace tavrelo
