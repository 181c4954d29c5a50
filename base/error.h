#pragma once
// The one exception type the program raises on purpose. A layer below the
// program names what failed; the program words every cause once
// (SetErrorWording), and text() is what the default error report shows.
#include <exception>
#include <string>

namespace base {

enum class Cause {
    Worded,             // raised with its words
    Unexpected,         // an exception that is not an Error
    WindowNotMade,      // code: the system's error
    ControlNotMade,     // code: the system's error
    PrintFailed,        // code: the system's error
    NoDefaultPrinter,
    PrinterNotOpened,   // detail: the printer's name; code: the system's error
    PrintTextUnreadable,  // detail: why the reader stopped
};

class Error : public std::exception {
public:
    explicit Error(std::wstring text) : detail_(std::move(text)) {}
    explicit Error(Cause cause, unsigned long code = 0, std::wstring detail = {})
        : cause_(cause), code_(code), detail_(std::move(detail)) {}

    Cause cause() const { return cause_; }
    unsigned long code() const { return code_; }
    const std::wstring& detail() const { return detail_; }
    // The words of a Worded error; the program's wording of any other (its
    // detail while the program has given none).
    std::wstring text() const;
    const char* what() const noexcept override { return "base::Error"; }

private:
    Cause cause_ = Cause::Worded;
    unsigned long code_ = 0;
    std::wstring detail_;
};

using ErrorWording = std::wstring (*)(const Error&);
void SetErrorWording(ErrorWording wording);

// Text of a Windows error code as the system words it, without the line end;
// empty for a code the system has no words for.
std::wstring SystemErrorText(unsigned long code);

}  // namespace base
