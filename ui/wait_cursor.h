#pragma once
// The hourglass for work that runs on the window's own thread: while it runs
// no message is processed, so nothing would reset the cursor anyway.
#include <windows.h>

namespace ui {

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace ui
