#include "ui/page_keys.h"

namespace ui {

namespace {

// The view a window's page keys scroll, kept with the window.
constexpr wchar_t kViewProperty[] = L"vel.PageKeysView";

bool Scroll(HWND view, WPARAM key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    WPARAM how;
    if (key == VK_NEXT)
        how = SB_PAGEDOWN;
    else if (key == VK_PRIOR)
        how = SB_PAGEUP;
    else if (key == VK_END && ctrl)
        how = SB_BOTTOM;
    else if (key == VK_HOME && ctrl)
        how = SB_TOP;
    else
        return false;
    SendMessageW(view, WM_VSCROLL, how, 0);
    return true;
}

// The dialog manager hands a key to the focused control, never to the
// window; but it shows every message to the thread's message filter first,
// and a message the filter takes goes no further.
LRESULT CALLBACK FilterKeys(int code, WPARAM wp, LPARAM lp) {
    const MSG* msg = reinterpret_cast<const MSG*>(lp);
    if (code == MSGF_DIALOGBOX && msg && msg->message == WM_KEYDOWN) {
        const HWND view = static_cast<HWND>(GetPropW(GetAncestor(msg->hwnd, GA_ROOT), kViewProperty));
        // A view that was given the focus after all (by a click) scrolls itself.
        if (view && msg->hwnd != view && Scroll(view, msg->wParam)) return TRUE;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

PageKeys::PageKeys(HWND window, HWND view)
    : window_(window), filter_(SetWindowsHookExW(WH_MSGFILTER, FilterKeys, nullptr, GetCurrentThreadId())) {
    SetPropW(window_, kViewProperty, view);
}

PageKeys::~PageKeys() { RemovePropW(window_, kViewProperty); }

}  // namespace ui
