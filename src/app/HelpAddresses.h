#pragma once
// What the help window hands to the desktop. A web address label shows a host name
// ("www.zarel.example"); it is opened as an http address. A label edited into some
// other kind of address ("file:", "javascript:") is never opened, so a settings file
// cannot make the help window start anything but a web page.
#include <string>

namespace tavrelo {

// The address to open for a web address label's caption: "http://" and the host
// name, or the caption itself when it already is an http or https address. "" when
// the caption is empty, holds a blank or a control character, or names another scheme.
std::string WebAddressOf(const std::string& caption);

} // namespace tavrelo
