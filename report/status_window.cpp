#include "status_window.h"
#include "base/text.h"

namespace report {
namespace {

const wchar_t kClass[] = L"VelReportStatus";
constexpr int kWidth = 260, kHeight = 110;

void Register(WNDPROC proc) {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    done = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Centred on the owner's window, or on the screen without one.
POINT CentreOn(HWND owner, int width, int height) {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner) GetWindowRect(owner, &r);
    return POINT{r.left + (r.right - r.left - width) / 2, r.top + (r.bottom - r.top - height) / 2};
}

HFONT MessageFont() {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    return CreateFontIndirectW(&m.lfMessageFont);
}

}  // namespace

StatusWindow::StatusWindow(HWND owner, const std::wstring& caption, const std::wstring& textPattern)
    : owner_(owner), caption_(caption), pattern_(textPattern) {
    Create();
}

StatusWindow::~StatusWindow() { Close(); }

void StatusWindow::Create() {
    Register(&Proc);
    RECT r{0, 0, kWidth, kHeight};
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    AdjustWindowRectEx(&r, style, FALSE, WS_EX_DLGMODALFRAME);
    int w = r.right - r.left, h = r.bottom - r.top;
    POINT at = CentreOn(owner_, w, h);
    HINSTANCE inst = GetModuleHandleW(nullptr);
    window_.reset(CreateWindowExW(WS_EX_DLGMODALFRAME, kClass, caption_.c_str(), style, at.x, at.y, w, h,
                                  owner_, nullptr, inst, nullptr));
    if (!window_) return;
    HWND win = window_.get();
    SetWindowLongPtrW(win, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    font_.reset(MessageFont());
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 22, kWidth - 20, 20, win,
                            nullptr, inst, nullptr);
    HWND cancel = CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  (kWidth - 80) / 2, 64, 80, 26, win, reinterpret_cast<HMENU>(IDCANCEL), inst,
                                  nullptr);
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(cancel, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ownerWasEnabled_ = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled_) EnableWindow(owner_, FALSE);
    ShowWindow(win, SW_SHOWNORMAL);
    SetFocus(cancel);
    UpdateWindow(win);
}

LRESULT CALLBACK StatusWindow::Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<StatusWindow*>(GetWindowLongPtrW(w, GWLP_USERDATA));
    if (self && ((msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || msg == WM_CLOSE)) {
        self->cancelled_ = true;
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

void StatusWindow::SetPage(int page) {
    std::wstring text = pattern_;
    size_t at = text.find(L"%p");
    if (at != std::wstring::npos) text.replace(at, 2, base::Decimal(static_cast<unsigned>(page)));
    if (text_) {
        SetWindowTextW(text_, text.c_str());
        UpdateWindow(text_);
    }
}

bool StatusWindow::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {  // the application is ending: stop and pass it on
            PostQuitMessage(static_cast<int>(msg.wParam));
            cancelled_ = true;
            break;
        }
        if (window_ && IsDialogMessageW(window_.get(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return cancelled_;
}

void StatusWindow::Close() {
    // The owner gets its input back first, so it becomes the active window again.
    if (ownerWasEnabled_) EnableWindow(owner_, TRUE);
    ownerWasEnabled_ = false;
    window_.reset();
}

}  // namespace report
