#include "base/font_cache.h"

namespace base {
namespace {

bool Same(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           lstrcmpW(a.lfFaceName, b.lfFaceName) == 0;
}

}  // namespace

HFONT FontCache::Get(const LOGFONTW& lf) {
    for (auto& [known, font] : fonts_)
        if (Same(known, lf)) return font.get();
    HFONT font = CreateFontIndirectW(&lf);
    if (font) fonts_.emplace_back(lf, ScopedFont(font));
    return font;
}

}  // namespace base
