#include "ui/status_window.h"

#include "base/text.h"

namespace ui {
namespace {

const wchar_t kClass[] = L"VelReportStatus";
constexpr int kWidth = 260, kHeight = 110;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

HFONT MessageFont() {
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    return CreateFontIndirectW(&m.lfMessageFont);
}

}  // namespace

StatusWindow::StatusWindow(HWND owner, std::wstring caption, std::wstring textPattern)
    : owner_(owner), caption_(std::move(caption)), pattern_(std::move(textPattern)) {}

StatusWindow::~StatusWindow() { Close(); }

void StatusWindow::Open() {
    RegisterWindowClass(kClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT r{0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&r, kStyle, FALSE, WS_EX_DLGMODALFRAME);
    const SIZE size{r.right - r.left, r.bottom - r.top};
    const POINT at = CentredOn(owner_, size);
    CreateWindowExW(WS_EX_DLGMODALFRAME, kClass, caption_.c_str(), kStyle, at.x, at.y, size.cx, size.cy,
                    owner_, nullptr, GetModuleHandleW(nullptr), static_cast<Window*>(this));
    if (!hwnd()) return;
    CreateControls();
    ownerWasEnabled_ = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled_) EnableWindow(owner_, FALSE);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetFocus(GetDlgItem(hwnd(), IDCANCEL));
    UpdateWindow(hwnd());
}

void StatusWindow::CreateControls() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    font_.reset(MessageFont());
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 22, kWidth - 20, 20,
                            hwnd(), nullptr, inst, nullptr);
    HWND cancel = CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  (kWidth - 80) / 2, 64, 80, 26, hwnd(), reinterpret_cast<HMENU>(IDCANCEL), inst,
                                  nullptr);
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(cancel, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

LRESULT StatusWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if ((msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || msg == WM_CLOSE) {
        cancelled_ = true;
        return 0;
    }
    if (msg == WM_NCDESTROY) text_ = nullptr;
    return Default(msg, wp, lp);
}

bool StatusWindow::ShowPage(int page) {
    if (!hwnd()) Open();
    std::wstring text = pattern_;
    size_t at = text.find(L"%p");
    if (at != std::wstring::npos) text.replace(at, 2, base::Decimal(static_cast<unsigned>(page)));
    if (text_) {
        SetWindowTextW(text_, text.c_str());
        UpdateWindow(text_);
    }
    return Pump();
}

bool StatusWindow::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {  // the application is ending: stop and pass it on
            PostQuitMessage(static_cast<int>(msg.wParam));
            cancelled_ = true;
            break;
        }
        if (hwnd() && IsDialogMessageW(hwnd(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return cancelled_;
}

bool StatusWindow::Finish() {
    const bool cancelled = Pump();
    Close();
    return cancelled;
}

void StatusWindow::Close() {
    // The owner gets its input back first, so it becomes the active window again.
    if (ownerWasEnabled_) EnableWindow(owner_, TRUE);
    ownerWasEnabled_ = false;
    if (hwnd()) DestroyWindow(hwnd());
}

}  // namespace ui
