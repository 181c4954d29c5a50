#pragma once
// The one exception type the program raises on purpose. Its text is what the
// default error report shows to the user.
#include <exception>
#include <string>

namespace ui {

class Error : public std::exception {
public:
    explicit Error(std::wstring text) : text_(std::move(text)) {}
    const std::wstring& text() const { return text_; }
    const char* what() const noexcept override { return "ui::Error"; }

private:
    std::wstring text_;
};

}  // namespace ui
