#pragma once
// Finds a top-level window of this thread by caption: other test programs on
// the same display may show windows with the same caption at the same time.
#include <windows.h>

#include <string>

inline HWND FindOwnWindow(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t text[256] = {};
            GetWindowTextW(w, text, 256);
            if (*s->caption != text || !IsWindowVisible(w)) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
