#pragma once
// Helpers for tests that create real windows in-process: the window layer's
// seams answered in-process, and a user's clicks and keys delivered as the
// message loop would.
#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/expected_texts.h"
#include "tests/support/scratch.h"
#include "ui/controls.h"
#include "ui/folder_picker.h"
#include "ui/message.h"

namespace testing_support {

// Answers every message box in-process with scripted replies and records what
// was asked. Restores the real message box when it goes out of scope.
class MessageScript {
public:
    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    void Answer(int reply) { replies_.push_back(reply); }
    // Runs whenever a box is asked for, before it is answered: to look at the
    // windows as they are while the box would be up.
    void OnAsk(std::function<void()> look) { look_ = std::move(look); }
    const std::vector<ui::MessageRequest>& Asked() const { return asked_; }
    size_t Count() const { return asked_.size(); }
    const ui::MessageRequest& Last() const { return asked_.back(); }

private:
    std::deque<int> replies_;
    std::function<void()> look_;
    std::vector<ui::MessageRequest> asked_;
};

// Answers the shell's special folders with folders below a scratch folder;
// any of them can be made unknown to the shell.
class ShellFolders {
public:
    explicit ShellFolders(const ScratchFolder& scratch);
    ~ShellFolders();
    ShellFolders(const ShellFolders&) = delete;
    ShellFolders& operator=(const ShellFolders&) = delete;
    void Unknown(int csidl) { folders_[csidl].reset(); }
    void Set(int csidl, const std::wstring& path) { folders_[csidl] = path; }
    std::wstring operator[](int csidl) const { return folders_.at(csidl).value_or(L"?"); }

private:
    std::map<int, std::optional<std::wstring>> folders_;
};

// Answers the folder picker with scripted choices (nothing: cancel) and
// records where it was asked to open.
class FolderPicks {
public:
    FolderPicks();
    ~FolderPicks();
    FolderPicks(const FolderPicks&) = delete;
    FolderPicks& operator=(const FolderPicks&) = delete;
    void Answer(std::optional<std::wstring> choice) { replies_.push_back(std::move(choice)); }
    const std::vector<ui::FolderPickRequest>& Asked() const { return asked_; }

private:
    std::vector<std::optional<std::wstring>> replies_;
    std::vector<ui::FolderPickRequest> asked_;
};

// Processes pending messages of this thread.
void Pump();

// Presses a button as a user can: true when it was enabled and got the click.
// Under Wine a click on a disabled button still arrives, so a test presses
// only what a user could press.
bool Click(const ui::Control& button);

// Delivers a key to the window's focused control (or the window) through the
// dialog manager, as the message loop would: Esc, Enter, Tab ... True when
// the dialog manager handled it.
bool PressKey(HWND window, UINT vk);

// Rectangle of a control in its parent's client coordinates.
RECT RectIn(HWND control);
// Expects the control to be a child of parent, at want within it.
void ExpectRect(HWND control, HWND parent, RECT want);

// Where a window's layout table puts a control, at 96 and at 144 DPI, in its
// parent's client coordinates: one line of a page's layout table. kUnchecked
// where a test does not check that DPI; a label sized to its text gives only
// its top-left corner.
inline constexpr RECT kUnchecked{-1, -1, -1, -1};
struct Place {
    HWND control;
    HWND parent;
    RECT at96;
    RECT at144 = kUnchecked;
    bool cornerOnly = false;
};
// Expects every control of the table where it belongs at that DPI (96 or 144).
void ExpectPlaces(const std::vector<Place>& table, int dpi);

// Character height (cell height less internal leading) of a window's font.
int FontCharHeight(HWND control);
std::wstring FontFace(HWND control);
LOGFONTW FontOf(HWND control);

// Client size of a window.
SIZE ClientSize(HWND hwnd);

// What the screen shows in a rectangle: 24-bit rows, bottom-up, as a BMP
// file holds them. The screen, not PrintWindow: a window of another process
// cannot paint into this process's device context.
struct ScreenPicture {
    int width = 0, height = 0;
    std::vector<BYTE> bits;
    size_t Stride() const { return (size_t(width) * 3 + 3) & ~size_t(3); }
    COLORREF At(int x, int y) const;  // from the top-left corner
};
ScreenPicture CaptureScreen(RECT screenRect);

// Under the black high-contrast scheme of the "contrast" prefix, with the
// theme reported on as Windows reports it (Wine has no switch for it):
// expects the text of every label of a shown window to stand out clearly
// from the background the screen shows it on, with somewhere a contrast of
// at least 4.5 : 1 between the text's pixels and the background's colour.
void ExpectLabelsReadableInHighContrast(HWND window);

// The text of a window or control, of this process or another: a window
// that does not answer within a while reads as empty.
std::wstring TextOf(HWND window);

// A visible top-level window of this thread by caption: other test programs on
// the same display may show windows with the same caption at the same time.
HWND FindOwnWindow(const std::wstring& caption);

}  // namespace testing_support
