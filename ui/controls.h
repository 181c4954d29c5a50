#pragma once
// Thin wrappers over the standard controls. A form attaches each to the
// control its layout created; the wrapper owns nothing.
#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

class Control {
public:
    HWND hwnd() const { return hwnd_; }
    bool Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
    void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    bool Focused() const { return hwnd_ && GetFocus() == hwnd_; }
    std::wstring Text() const;
    void SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }
    RECT Bounds() const;  // position and size within the parent

private:
    friend class Form;
    HWND hwnd_ = nullptr;
};

class Label : public Control {};
class Panel : public Control {};
class Picture : public Control {};
class Button : public Control {};
class Edit : public Control {};

class RadioButton : public Control {
public:
    bool Checked() const;
    // Selecting or clearing from code runs no handler.
    void SetChecked(bool checked);
};

// RTF in and out of a rich-edit control. StreamInRtf replaces the content
// and is false when the control took nothing; StreamOutRtf throws base::Error
// when the control reports a failure.
bool StreamInRtf(HWND richEdit, std::string_view rtf);
std::string StreamOutRtf(HWND richEdit);

class RichEdit : public Control {
public:
    // Replaces the content with an RTF document. False if the control refused it.
    bool LoadRtf(std::string_view rtf);
    // The content written out as RTF.
    std::string SaveRtf() const;
};

}  // namespace ui
