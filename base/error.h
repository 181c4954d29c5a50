#pragma once
// The one exception type the program raises on purpose. Its text is what the
// default error report shows to the user.
#include <exception>
#include <string>

namespace base {

class Error : public std::exception {
public:
    explicit Error(std::wstring text) : text_(std::move(text)) {}
    const std::wstring& text() const { return text_; }
    const char* what() const noexcept override { return "base::Error"; }

private:
    std::wstring text_;
};

// Text of a Windows error code as the system words it, without the line end.
std::wstring SystemErrorText(unsigned long code);

}  // namespace base
