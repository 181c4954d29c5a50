#include "tests/support/window_test.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "ui/shell_folders.h"

namespace testing_support {

MessageScript::MessageScript() {
    ui::SetMessageHandler([this](const ui::MessageRequest& r) {
        asked_.push_back(r);
        if (look_) look_();
        if (replies_.empty()) {
            // An unexpected question: answer No/OK so the window goes on.
            return (r.type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
        }
        int reply = replies_.front();
        replies_.pop_front();
        return reply;
    });
}

MessageScript::~MessageScript() { ui::SetMessageHandler(nullptr); }

ShellFolders::ShellFolders(const ScratchFolder& scratch) {
    folders_ = {
        {CSIDL_PROGRAM_FILES, scratch / L"Program Files"},
        {CSIDL_COMMON_DESKTOPDIRECTORY, scratch / L"Public\\Desktop"},
        {CSIDL_DESKTOPDIRECTORY, scratch / L"User\\Desktop"},
        {CSIDL_COMMON_PROGRAMS, scratch / L"ProgramData\\Programs"},
        {CSIDL_PROGRAMS, scratch / L"User\\Programs"},
    };
    for (auto& [id, path] : folders_) MakeFolders(*path);
    ui::SetSpecialFolderHandler([this](int csidl) -> std::optional<std::wstring> {
        auto it = folders_.find(csidl);
        return it == folders_.end() ? std::nullopt : it->second;
    });
}

ShellFolders::~ShellFolders() { ui::SetSpecialFolderHandler(nullptr); }

FolderPicks::FolderPicks() {
    ui::SetFolderPickHandler([this](const ui::FolderPickRequest& r) -> std::optional<std::wstring> {
        asked_.push_back(r);
        if (replies_.empty()) return std::nullopt;
        auto reply = replies_.front();
        replies_.erase(replies_.begin());
        return reply;
    });
}

FolderPicks::~FolderPicks() { ui::SetFolderPickHandler(nullptr); }

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool Click(const ui::Control& button) {
    if (!button.Enabled()) return false;
    SendMessageW(button.hwnd(), BM_CLICK, 0, 0);
    return true;
}

bool PressKey(HWND window, UINT vk) {
    HWND target = GetFocus();
    if (!target || (target != window && !IsChild(window, target))) target = window;
    bool handled = false;
    for (UINT msg : {WM_KEYDOWN, WM_KEYUP}) {
        MSG m{target, msg, vk, static_cast<LPARAM>(msg == WM_KEYUP ? 0xC0000001u : 1u), GetTickCount(), {}};
        if (IsDialogMessageW(window, &m)) {
            handled = true;
        } else {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (!IsWindow(window)) break;  // the key ended the window
        target = GetFocus() ? GetFocus() : window;
    }
    return handled;
}

RECT RectIn(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectRect(HWND control, HWND parent, RECT want) {
    EXPECT_EQ(parent, GetParent(control));
    RECT r = RectIn(control);
    EXPECT_EQ(want.left, r.left);
    EXPECT_EQ(want.top, r.top);
    EXPECT_EQ(want.right, r.right);
    EXPECT_EQ(want.bottom, r.bottom);
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

int FontCharHeight(HWND control) { return -FontOf(control).lfHeight; }

std::wstring FontFace(HWND control) { return FontOf(control).lfFaceName; }

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

std::wstring TextOf(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

HWND FindOwnWindow(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (*s->caption != TextOf(w) || !IsWindowVisible(w)) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace testing_support
