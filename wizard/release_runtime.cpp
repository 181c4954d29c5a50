// Linked into the release build only. When an exception escapes, the
// runtime's default terminate handler writes the exception's type name to
// stderr, which pulls in the C++ demangler (tens of kilobytes); a GUI program
// has no stderr to write to, so it simply aborts.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
