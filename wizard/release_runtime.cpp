// Linked into the release build only, to keep the executable small.
//
// When an exception escapes, the runtime's default terminate handler writes
// the exception's type name to stderr, which pulls in the C++ demangler (tens
// of kilobytes); a GUI program has no stderr to write to, so it simply aborts.
//
// The library's own error paths (a string or vector grown past its maximum)
// throw the standard exception classes, whose message strings drag in a
// second, copy-on-write string implementation. Here they throw a small
// exception instead: handlers still catch it as a std::exception and the
// default error report still shows its text.
#include <bits/functexcept.h>

#include <cstdlib>
#include <exception>
#include <new>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace {

class LibraryFailure : public std::exception {
public:
    explicit LibraryFailure(const char* what) : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;
};

}  // namespace

namespace std {

void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_length_error(const char* what) { throw LibraryFailure(what); }
void __throw_logic_error(const char* what) { throw LibraryFailure(what); }
void __throw_out_of_range(const char* what) { throw LibraryFailure(what); }
void __throw_out_of_range_fmt(const char* what, ...) { throw LibraryFailure(what); }
void __throw_invalid_argument(const char* what) { throw LibraryFailure(what); }

}  // namespace std
