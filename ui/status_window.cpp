#include "ui/status_window.h"

#include "base/text.h"
#include "ui/display.h"
#include "ui/layout_rules.h"

namespace ui {
namespace {

const wchar_t kClass[] = L"VelReportStatus";
// In pixels at 96 DPI, scaled to the owner's.
constexpr int kWidth = 260, kHeight = 110;
constexpr RECT kTextBox{10, 22, kWidth - 10, 42};
constexpr RECT kCancelBox{(kWidth - 80) / 2, 64, (kWidth + 80) / 2, 90};
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

void PlaceScaled(HWND h, const RECT& r, int dpi) {
    SetWindowPos(h, nullptr, Scale(r.left, dpi), Scale(r.top, dpi), Scale(r.right - r.left, dpi),
                 Scale(r.bottom - r.top, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

StatusWindow::StatusWindow(HWND owner, std::wstring caption, std::wstring textPattern)
    : owner_(owner), caption_(std::move(caption)), pattern_(std::move(textPattern)) {}

StatusWindow::~StatusWindow() { Close(); }

void StatusWindow::Open() {
    RegisterWindowClass(kClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateWindowExW(WS_EX_DLGMODALFRAME, kClass, caption_.c_str(), kStyle, 0, 0, kWidth, kHeight, owner_, nullptr,
                    GetModuleHandleW(nullptr), static_cast<Window*>(this));
    if (!hwnd()) return;
    CreateControls();
    // On the owner's screen, at its scale.
    const int dpi = WindowDpi(owner_ ? owner_ : hwnd());
    const SIZE size = FrameAt(dpi);
    const POINT at = CentredOn(owner_, size);
    LayOut(dpi, RECT{at.x, at.y, at.x + size.cx, at.y + size.cy});
    ownerWasEnabled_ = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled_) EnableWindow(owner_, FALSE);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetFocus(GetDlgItem(hwnd(), IDCANCEL));
    UpdateWindow(hwnd());
}

void StatusWindow::CreateControls() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 0, 0, hwnd(), nullptr, inst,
                            nullptr);
    CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0,
                    hwnd(), reinterpret_cast<HMENU>(IDCANCEL), inst, nullptr);
}

SIZE StatusWindow::FrameAt(int dpi) const {
    return FrameSize(hwnd(), SIZE{Scale(kWidth, dpi), Scale(kHeight, dpi)}, dpi);
}

// The window at the frame given, its text and button scaled to the DPI.
void StatusWindow::LayOut(int dpi, const RECT& frame) {
    SetWindowPos(hwnd(), nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const LOGFONTW lf = MessageFont(dpi);
    base::ScopedFont font(CreateFontIndirectW(&lf));
    HWND cancel = GetDlgItem(hwnd(), IDCANCEL);
    PlaceScaled(text_, kTextBox, dpi);
    PlaceScaled(cancel, kCancelBox, dpi);
    SendMessageW(text_, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    SendMessageW(cancel, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_ = std::move(font);  // the old font only once no control uses it
}

LRESULT StatusWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if ((msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || msg == WM_CLOSE) {
        cancelled_ = true;
        return 0;
    }
    if (msg == WM_DPICHANGED && text_) {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lp);
        const int dpi = HIWORD(wp);
        const SIZE size = FrameAt(dpi);
        LayOut(dpi, RECT{suggested.left, suggested.top, suggested.left + size.cx, suggested.top + size.cy});
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
