#include "ui/picture.h"

#include <algorithm>

#include "ui/layout_rules.h"

namespace ui {
namespace {

void BlendIntoButtonFace(HBITMAP bmp) {
    DIBSECTION ds{};
    if (GetObjectW(bmp, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 24 ||
        !ds.dsBm.bmBits)
        return;
    auto* bits = static_cast<BYTE*>(ds.dsBm.bmBits);
    const int stride = ds.dsBm.bmWidthBytes, w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
    // Bottom-up: the first row in memory is the picture's last.
    const BYTE* key = bits + static_cast<size_t>(stride) * (h - 1);
    const BYTE kb = key[0], kg = key[1], kr = key[2];
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < h; ++y) {
        BYTE* p = bits + static_cast<size_t>(stride) * y;
        for (int x = 0; x < w; ++x, p += 3) {
            if (p[0] == kb && p[1] == kg && p[2] == kr) {
                p[0] = GetBValue(face);
                p[1] = GetGValue(face);
                p[2] = GetRValue(face);
            }
        }
    }
}

// A smoothly stretched copy of a 24-bit picture.
base::ScopedBitmap Stretched(HBITMAP from, int w, int h) {
    BITMAP bm{};
    GetObjectW(from, sizeof(bm), &bm);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB};
    void* bits = nullptr;
    base::ScopedBitmap to(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    base::ScopedDC src(CreateCompatibleDC(nullptr)), dst(CreateCompatibleDC(nullptr));
    if (!to || !src || !dst) return base::ScopedBitmap();
    base::SelectIn inSrc(src.get(), from), inDst(dst.get(), to.get());
    SetStretchBltMode(dst.get(), HALFTONE);
    SetBrushOrgEx(dst.get(), 0, 0, nullptr);
    StretchBlt(dst.get(), 0, 0, w, h, src.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    return to;
}

}  // namespace

base::ScopedBitmap LoadPicture(const wchar_t* name, bool forButton, int dpi) {
    // Only the button picture is edited in place and needs a DIB section;
    // the others may be RLE-compressed, which a DIB section cannot hold.
    const UINT load = forButton ? LR_CREATEDIBSECTION : 0;
    base::ScopedBitmap bmp(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, load)));
    if (!bmp || !forButton) return bmp;
    BlendIntoButtonFace(bmp.get());
    if (dpi == kTableDpi) return bmp;
    BITMAP bm{};
    GetObjectW(bmp.get(), sizeof(bm), &bm);
    base::ScopedBitmap scaled = Stretched(bmp.get(), Scale(bm.bmWidth, dpi), Scale(bm.bmHeight, dpi));
    return scaled ? std::move(scaled) : std::move(bmp);
}

void DrawPicture(const DRAWITEMSTRUCT& item, HBITMAP picture, Fit fit, HBRUSH background) {
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, background);
    if (!picture) return;
    BITMAP bm{};
    GetObjectW(picture, sizeof(bm), &bm);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (fit == Fit::Proportional && bm.bmWidth > 0 && bm.bmHeight > 0) {
        double scale = std::min(double(w) / bm.bmWidth, double(h) / bm.bmHeight);
        w = int(bm.bmWidth * scale + 0.5);
        h = int(bm.bmHeight * scale + 0.5);
    }
    base::ScopedDC mem(CreateCompatibleDC(item.hDC));
    base::SelectIn sel(mem.get(), picture);
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, rc.left, rc.top, w, h, mem.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
}

}  // namespace ui
