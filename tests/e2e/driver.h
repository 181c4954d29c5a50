#pragma once
// Drives a real program from outside: starts it, finds its windows by caption,
// clicks, answers message boxes, reads texts, takes screenshots and waits for
// it to end. Every wait is bounded; a failed wait throws Failure, and the
// Process destructor kills a child that is still running, so a broken program
// can never hang a test run.
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/text.h"
#include "tests/support/scratch.h"
#include "tests/support/window_test.h"

namespace e2e {

constexpr DWORD kTimeoutMs = 10000;

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::wstring& what);
};

using base::Narrow;
using base::Widen;

// A Unix path (as CMake gives it) turned into the Windows path Wine maps to it
// (drive Z: is the root); a Windows path is returned unchanged.
std::wstring WindowsPath(const std::string& path);

using testing_support::OwnFolder;

// A new empty folder under the system's temporary folder, removed with all
// its content when the object goes; Path() is its full path with a trailing
// backslash.
using TempFolder = testing_support::ScratchFolder;

// Removes a folder and everything under it; true when it is gone.
using testing_support::RemoveTree;
// Names (not paths) of the files in a folder that match a wildcard pattern.
std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern = L"*");
// Copies a file; throws Failure when the copy fails.
void CopyFileOrThrow(const std::wstring& from, const std::wstring& to);

// A message box as the driver saw it before pressing its button.
struct MessageBoxSeen {
    HWND hwnd = nullptr;
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // ids of its push buttons (IDOK, IDYES, IDNO ...)
    std::vector<std::wstring> buttonTexts;  // their captions, in the same order ("&Tak" ...)
};

class Process {
public:
    // Starts exe with the given arguments; the working folder is the exe's own
    // folder unless workDir is given.
    static Process Launch(const std::wstring& exe, const std::wstring& args = L"",
                          const std::wstring& workDir = L"");
    Process() = default;
    ~Process();
    Process(Process&&) noexcept = default;
    Process& operator=(Process&&) noexcept;

    DWORD Pid() const { return pid_; }
    HANDLE Handle() const { return process_.get(); }
    bool Running() const;
    // Waits for the end of the process and returns its exit code.
    DWORD WaitExit(DWORD timeoutMs = kTimeoutMs);
    void Kill();

    // Visible top-level windows of the process.
    std::vector<HWND> Windows() const;
    // A visible, enabled top-level window with exactly this caption, or null.
    HWND FindWindowByCaption(const std::wstring& caption) const;
    HWND WaitWindow(const std::wstring& caption, DWORD timeoutMs = kTimeoutMs) const;
    // Waits until the window is gone (destroyed or hidden).
    void WaitGone(HWND window, DWORD timeoutMs = kTimeoutMs) const;
    // A visible message box of the process (a dialog holding IDOK, IDYES or
    // IDNO buttons), or null.
    HWND FindMessageBox() const;
    HWND WaitMessageBox(DWORD timeoutMs = kTimeoutMs) const;
    // Waits for a message box, reads it, presses the button and waits for the
    // box to close. Throws when the box lacks that button.
    MessageBoxSeen AnswerMessageBox(int buttonId, DWORD timeoutMs = kTimeoutMs) const;
    // Waits until the process is idle in its message loop.
    void WaitIdle(HWND window, DWORD timeoutMs = kTimeoutMs) const;
    // Captions of the visible windows, for failure messages.
    std::wstring Describe() const;

private:
    base::ScopedHandle process_;
    base::ScopedHandle thread_;
    DWORD pid_ = 0;
};

// Controls anywhere under a window (also inside panels).
std::vector<HWND> Descendants(HWND window);
// The control with this id anywhere under the window, or null.
HWND FindControl(HWND window, int id);
// The control with this id; throws when there is none.
HWND Control(HWND window, int id);
// The first control of the window class (case-insensitive) with exactly this
// caption, or null.
HWND FindControlByText(HWND window, const std::wstring& cls, const std::wstring& text);
// The controls of one window class, in creation order.
std::vector<HWND> ControlsOfClass(HWND window, const std::wstring& cls);

using testing_support::ClientSize;
using testing_support::RectIn;  // in its parent's client coordinates
using testing_support::TextOf;
std::wstring ClassOf(HWND window);
bool IsChecked(HWND button);
// The control of the window that has the keyboard focus: waits (bounded) for
// the window to become active first, as activation may lag behind showing.
// Null when nothing in the window gets the focus in time.
HWND FocusedControl(HWND window, DWORD timeoutMs = 2000);

// Presses the button with this id: throws when it is missing, hidden or
// disabled (a click on a disabled button still fires under some platforms).
// The click is posted, so a handler that opens a modal window does not block
// the driver.
void Click(HWND window, int id);
void ClickControl(HWND button);
// Posts a key press to the window's focused control (the dialog manager turns
// Esc into Cancel, Enter into the default button ...).
void PressKey(HWND window, UINT vk);
// Types a key through the system's input queue, as the keyboard would, after
// bringing the window to the foreground, with a modifier key (VK_CONTROL ...)
// held when one is given. Throws when it cannot get there.
void TypeKey(HWND window, UINT vk, UINT modifier = 0);
// Asks the window to close as its close box does.
void CloseBox(HWND window);

// Saves what the screen shows of the window (frame included) as a 24-bit BMP.
void Screenshot(HWND window, const std::wstring& path);
// The same for a rectangle of the screen (a message box over its page ...).
void ScreenshotArea(RECT screenRect, const std::wstring& path);

// Polls cond every few milliseconds until it holds; false after the timeout.
template <typename Cond>
bool WaitUntil(Cond cond, DWORD timeoutMs = kTimeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (cond()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(5);
    }
}

}  // namespace e2e
