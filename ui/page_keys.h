#pragma once
// Page Down, Page Up, Ctrl+End and Ctrl+Home given anywhere in a window
// scroll one view of it, which need not have the focus: a view kept out of
// the focus order can still be read from the keyboard. The other keys keep
// their meaning (a radio button its arrows).
#include <windows.h>

#include "base/handles.h"

namespace ui {

class PageKeys {
public:
    // For as long as the object lives; window is the top-level window.
    PageKeys(HWND window, HWND view);
    ~PageKeys();
    PageKeys(const PageKeys&) = delete;
    PageKeys& operator=(const PageKeys&) = delete;

private:
    HWND window_;
    base::ScopedHook filter_;
};

}  // namespace ui
