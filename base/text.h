#pragma once
#include <string>
#include <string_view>

namespace ui {

// UTF-8 <-> UTF-16 for the few byte strings the program meets.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);

// A number in decimal digits. The runtime's own formatting would bring the
// whole printf machinery into the executable.
std::wstring Decimal(unsigned long long value);

// Text of a Windows error code as the system words it, without the line end.
std::wstring SystemErrorText(unsigned long code);

}  // namespace ui
