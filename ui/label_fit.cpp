#include "ui/label_fit.h"

#include "base/handles.h"

namespace ui {
namespace {

SIZE TextSize(HDC dc, HFONT font, const std::wstring& text) {
    base::SelectIn sel(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return SIZE{size.cx, tm.tmHeight};
}

// How wide the label may grow from where it stands.
LONG RoomIn(HWND label) {
    RECT parent{}, own{};
    GetClientRect(GetParent(label), &parent);
    GetWindowRect(label, &own);
    MapWindowPoints(HWND_DESKTOP, GetParent(label), reinterpret_cast<POINT*>(&own), 2);
    return parent.right - own.left;
}

}  // namespace

HFONT FitLabelToText(HWND label, const std::wstring& text, const std::function<HFONT(int smaller)>& fontFor) {
    base::WindowDC dc(label);
    const LONG room = RoomIn(label);
    HFONT font = fontFor(0);
    SIZE size = TextSize(dc.get(), font, text);
    for (int smaller = 1; size.cx > room && smaller <= kMostPixelsSmaller; ++smaller) {
        HFONT next = fontFor(smaller);
        if (!next) break;
        font = next;
        size = TextSize(dc.get(), font, text);
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return font;
}

}  // namespace ui
