#pragma once
// The link from a window to the object that handles its messages. The object
// travels with the window's first message of its own (WM_NCCREATE for a
// window of a registered class, WM_INITDIALOG for a dialog), so every later
// message, creation included, reaches it; the link ends with WM_NCDESTROY.
#include <windows.h>

namespace ui {

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

    // Procedure of a class registered with RegisterWindowClass: the object
    // is CreateWindowEx's last argument.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // Dialog procedure: the object is the dialog's initialisation parameter.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

protected:
    Window() = default;
    virtual ~Window() = default;

    // One message. A window of a registered class answers what it leaves
    // alone with Default; a dialog answers FALSE, as dialog procedures do.
    // An exception never leaves the procedure: the message then counts as
    // not handled.
    virtual LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) = 0;
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

private:
    static Window* Attach(HWND hwnd, Window* self);
    static Window* Of(HWND hwnd);
    static void Detach(HWND hwnd, Window* self);

    HWND hwnd_ = nullptr;
};

// Registers a class whose windows link to their objects (Window::WindowProc),
// with the arrow cursor and the given background (null: the window erases
// itself). Registering a name again does nothing.
void RegisterWindowClass(const wchar_t* name, HBRUSH background);

// Where a window of the given size goes to sit centred on another window, or
// on the screen when there is none.
POINT CentredOn(HWND over, SIZE size);

}  // namespace ui
