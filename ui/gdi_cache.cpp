#include "ui/gdi_cache.h"

namespace ui {

COLORREF Resolve(COLORREF color) {
    return (color & kSysColor) ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

HFONT GdiCache::Font(const FontSpec& f) {
    return fonts_.Get(base::FontOf(f.face ? f.face : L"Tahoma", f.height, f.bold, f.italic, false, f.charset));
}

HBRUSH GdiCache::Brush(COLORREF c) {
    if (c & kSysColor) return GetSysColorBrush(static_cast<int>(c & 0xFF));
    for (auto& [color, brush] : brushes_)
        if (color == c) return brush.get();
    brushes_.emplace_back(c, base::ScopedBrush(CreateSolidBrush(c)));
    return brushes_.back().second.get();
}

}  // namespace ui
