#include "ui/display.h"

#include "base/handles.h"
#include "base/module.h"
#include "base/seam.h"
#include "ui/layout_rules.h"

namespace ui {
namespace {

// A user32 function that older systems lack, or null.
template <typename Fn>
Fn User32(const char* name) {
    return base::SystemFunction<Fn>(L"user32.dll", name);
}

int SystemDpi() noexcept {
    const base::WindowDC screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kTableDpi;
    return dpi > 0 ? dpi : kTableDpi;
}

bool AskSystemForHighContrast() {
    HIGHCONTRASTW hc{sizeof hc};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

base::Seam<bool()>& HighContrastSeam() {
    static base::Seam<bool()> seam(AskSystemForHighContrast);
    return seam;
}

}  // namespace

int WindowDpi(HWND hwnd) {
    static const auto forWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const int dpi = forWindow && hwnd ? static_cast<int>(forWindow(hwnd)) : 0;
    return dpi > 0 ? dpi : SystemDpi();
}

SIZE FrameSize(HWND hwnd, SIZE client, int dpi) {
    static const auto forDpi = User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT r{0, 0, client.cx, client.cy};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
    if (!forDpi || !forDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void LeaveDpiChangesToDialog(HWND dialog) {
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL, Windows 10 1703 on
    static const auto set = User32<BOOL(WINAPI*)(HWND, int, int)>("SetDialogDpiChangeBehavior");
    if (set) set(dialog, kDisableAll, kDisableAll);
}

LOGFONTW MessageFont(int dpi) {
    static const auto forDpi = User32<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW m{};
    m.cbSize = sizeof m;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0, static_cast<UINT>(dpi))) return m.lfMessageFont;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0);
    m.lfMessageFont.lfHeight = MulDiv(m.lfMessageFont.lfHeight, dpi, SystemDpi());
    return m.lfMessageFont;
}

bool HighContrast() { return HighContrastSeam()(); }

std::function<bool()> SetHighContrastHandler(std::function<bool()> handler) {
    return HighContrastSeam().Replace(std::move(handler));
}

}  // namespace ui
