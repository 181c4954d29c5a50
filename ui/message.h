#pragma once
// Every message box goes through one seam so window tests can answer them
// in-process and check what was asked.
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

struct MessageRequest {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;  // MB_* flags: buttons and icon
};

using MessageHandler = std::function<int(const MessageRequest&)>;

// Shows a modal message box and returns the button pressed (IDYES, IDOK ...).
int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// ShowMessage for a box that reports the outcome of work the user waited
// for: keys and clicks given while the program was busy, and still queued, are
// dropped first, so an impatient Enter cannot close the box before it is read.
int ShowOutcome(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// Replaces the handler; an empty handler restores the real message box.
// Returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// Shows an error nobody handled: the text (a full stop added when its last
// character sorts after one), the application's title, OK and the error icon.
void ShowErrorReport(HWND owner, std::wstring text);

// The executable's file name up to its first dot.
std::wstring ApplicationTitle();

}  // namespace ui
