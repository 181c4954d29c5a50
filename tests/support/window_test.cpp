#include "tests/support/window_test.h"

#include <stdexcept>

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

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

RECT RectIn(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
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
