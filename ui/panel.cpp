#include "ui/panel.h"

#include "ui/layout_rules.h"

namespace ui {

void PanelWindow::Register() { RegisterWindowClass(kPanelClass, nullptr); }

void PanelWindow::Paint(HDC dc, bool background) {
    RECT rc;
    GetClientRect(hwnd(), &rc);
    if (background) FillRect(dc, &rc, background_);
    if (bevel_ != Bevel::Raised) return;
    for (int i = 0; i < bevelWidth_; ++i) {
        DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
        InflateRect(&rc, -1, -1);
    }
}

void PanelWindow::SetBevelWidth(int width) {
    if (width == bevelWidth_) return;
    bevelWidth_ = width;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT PanelWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        Paint(reinterpret_cast<HDC>(wp), true);
        return 1;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wp), true);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        Paint(dc, false);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return SendMessageW(GetAncestor(hwnd(), GA_ROOT), msg, wp, lp);
    }
    return Default(msg, wp, lp);
}

}  // namespace ui
