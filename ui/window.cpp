#include "ui/window.h"

namespace ui {

Window* Window::Attach(HWND hwnd, Window* self) {
    if (!self) return nullptr;
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return self;
}

Window* Window::Of(HWND hwnd) { return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void Window::Detach(HWND hwnd, Window* self) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
}

LRESULT CALLBACK Window::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = msg == WM_NCCREATE
                       ? Attach(hwnd, static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams))
                       : Of(hwnd);
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result;
    try {
        result = self->Handle(msg, wp, lp);
    } catch (...) {
        // Nothing may unwind through the system's window code.
        result = DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY) Detach(hwnd, self);
    return result;
}

INT_PTR CALLBACK Window::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self = msg == WM_INITDIALOG ? Attach(hwnd, reinterpret_cast<Window*>(lp)) : Of(hwnd);
    if (!self) return FALSE;
    INT_PTR result;
    try {
        result = self->Handle(msg, wp, lp);
    } catch (...) {
        result = FALSE;
    }
    if (msg == WM_NCDESTROY) Detach(hwnd, self);
    return result;
}

void RegisterWindowClass(const wchar_t* name, HBRUSH background) {
    WNDCLASSEXW wc{sizeof(wc)};
    HINSTANCE module = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(module, name, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Window::WindowProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

POINT CentredOn(HWND over, SIZE size) {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (over) GetWindowRect(over, &r);
    return POINT{r.left + (r.right - r.left - size.cx) / 2, r.top + (r.bottom - r.top - size.cy) / 2};
}

}  // namespace ui
