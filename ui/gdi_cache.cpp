#include "ui/gdi_cache.h"

namespace ui {

COLORREF Resolve(COLORREF color) {
    return (color & kSysColor) ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

HFONT GdiCache::Font(const FontSpec& f) {
    LOGFONTW lf{};
    lf.lfHeight = -f.height;
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfCharSet = f.charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, f.face ? f.face : L"Tahoma", LF_FACESIZE);
    return fonts_.Get(lf);
}

HBRUSH GdiCache::Brush(COLORREF c) {
    if (c & kSysColor) return GetSysColorBrush(static_cast<int>(c & 0xFF));
    for (auto& [color, brush] : brushes_)
        if (color == c) return brush.get();
    brushes_.emplace_back(c, base::ScopedBrush(CreateSolidBrush(c)));
    return brushes_.back().second.get();
}

}  // namespace ui
