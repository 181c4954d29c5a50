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

LOGFONTW FontOf(const wchar_t* face, int height, bool bold, bool italic, bool underline, BYTE charset) {
    LOGFONTW lf{};  // zero: the default precisions, quality and pitch
    lf.lfHeight = -height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfCharSet = charset;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return lf;
}

HFONT FontCache::Get(const LOGFONTW& lf) {
    for (auto& [known, font] : fonts_)
        if (Same(known, lf)) return font.get();
    HFONT font = CreateFontIndirectW(&lf);
    if (font) fonts_.emplace_back(lf, ScopedFont(font));
    return font;
}

}  // namespace base
