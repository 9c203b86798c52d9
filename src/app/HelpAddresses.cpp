#include "app/HelpAddresses.h"

#include "platform/TextRules.h"

namespace tavrelo {

namespace {

constexpr const char* kWebSchemes[] = {"http://", "https://"};

bool StartsWithNoCase(const std::string& text, const std::string& start)
{
    return text.size() >= start.size() && EqualsNoCase(text.substr(0, start.size()), start);
}

bool OneWord(const std::string& text)
{
    for (const unsigned char c : text)
        if (c <= ' ' || c == 127)
            return false;
    return !text.empty();
}

} // namespace

std::string WebAddressOf(const std::string& caption)
{
    const std::string address = Trim(caption);
    if (!OneWord(address))
        return {};
    for (const char* scheme : kWebSchemes)
        if (StartsWithNoCase(address, scheme))
            return address.size() > std::string(scheme).size() ? address : std::string();
    // A ":" before the first "/" is a port ("host:8080") or a scheme of its own.
    const size_t colon = address.find(':');
    const size_t slash = address.find('/');
    if (colon != std::string::npos && colon < slash) {
        const std::string port = address.substr(colon + 1, slash == std::string::npos ? slash : slash - colon - 1);
        if (colon == 0 || port.empty() || port.find_first_not_of("0123456789") != std::string::npos)
            return {};
    }
    return "http://" + address;
}

} // namespace tavrelo
