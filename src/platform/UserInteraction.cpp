#include "platform/UserInteraction.h"

#include "platform/Cp1252.h"

#include <utility>

namespace tavrelo {

MessageAnswer UserInteraction::unicodeMessage(const std::string& utf8Text, MessageButtons buttons, MessageIcon icon,
                                              const std::string& title)
{
    return message(Utf8ToCp1252(utf8Text), buttons, icon, title);
}

MessageAnswer RecordingInteraction::message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                                            const std::string& title)
{
    return record({text, buttons, icon, title});
}

MessageAnswer RecordingInteraction::unicodeMessage(const std::string& utf8Text, MessageButtons buttons,
                                                   MessageIcon icon, const std::string& title)
{
    return record({utf8Text, buttons, icon, title, true});
}

MessageAnswer RecordingInteraction::record(Message message)
{
    const MessageButtons buttons = message.buttons;
    messages.push_back(std::move(message));
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
