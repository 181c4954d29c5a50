#pragma once
// Thin wrappers over the standard controls. A form attaches each to the
// control its layout created; the wrapper owns nothing.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace ui {

class Control {
public:
    HWND hwnd() const { return hwnd_; }
    bool Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
    void SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled); }
    std::wstring Text() const;
    void SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }

private:
    friend class Form;
    HWND hwnd_ = nullptr;
};

class Label : public Control {};
class Panel : public Control {};
class Picture : public Control {};
class Button : public Control {};
class Edit : public Control {};

// A progress bar whose position only grows, over a range of any size: the
// control's own range is 32-bit, so work is shown as a share of it.
class ProgressBar : public Control {
public:
    static constexpr int kRange = 10000;
    void SetVisible(bool visible) { ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE); }
    // Back to the start, for new work.
    void Reset();
    // done of total units; a total of 0 is work done at once.
    void SetProgress(unsigned long long done, unsigned long long total);
    int Position() const;
};

class RadioButton : public Control {
public:
    bool Checked() const;
    // Selecting or clearing from code runs no handler.
    void SetChecked(bool checked);
};

// RTF in and out of a rich-edit control. StreamInRtf replaces the content
// and is false when the control took nothing; StreamOutRtf gives nothing when
// the control reports a failure, and its code in *error when asked.
bool StreamInRtf(HWND richEdit, std::string_view rtf);
std::optional<std::string> StreamOutRtf(HWND richEdit, DWORD* error = nullptr);

class RichEdit : public Control {
public:
    // Replaces the content with an RTF document. False if the control refused it.
    bool LoadRtf(std::string_view rtf);
    // The content written out as RTF; nothing (the code in *error) when the
    // control fails.
    std::optional<std::string> SaveRtf(DWORD* error = nullptr) const;
};

// Shows a tooltip for a control from a tooltip window of the owner's, made
// on first use into tips; the window goes with its owner.
void AddTooltip(HWND owner, HWND& tips, HWND control, const wchar_t* text);

}  // namespace ui
