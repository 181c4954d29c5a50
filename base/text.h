#pragma once
#include <string>
#include <string_view>

namespace base {

// UTF-8 <-> UTF-16 for the few byte strings the program meets.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view text);

// A number in decimal digits. The runtime's own formatting would bring the
// whole printf machinery into the executable.
std::wstring Decimal(unsigned long long value);

}  // namespace base
