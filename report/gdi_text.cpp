#include "gdi_text.h"

#include <cmath>
#include <vector>

namespace report {
namespace {

const wchar_t kDefaultFace[] = L"Arial";

std::wstring Wide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

}  // namespace

PageGeometry PageGeometry::Of(HDC dc) {
    PageGeometry g;
    g.dpiX = GetDeviceCaps(dc, LOGPIXELSX);
    g.dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    g.printWidth = GetDeviceCaps(dc, HORZRES);
    g.printHeight = GetDeviceCaps(dc, VERTRES);
    g.paperWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
    g.paperHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
    g.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    g.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    if (g.paperWidth <= 0 || g.paperHeight <= 0) {  // not a printer: the sheet is what shows
        g.paperWidth = g.printWidth;
        g.paperHeight = g.printHeight;
        g.offsetX = g.offsetY = 0;
    }
    return g;
}

PageGeometry PageGeometry::Letter(int dpi) {
    PageGeometry g;
    g.dpiX = g.dpiY = dpi;
    g.paperWidth = g.printWidth = dpi * 17 / 2;
    g.paperHeight = g.printHeight = dpi * 11;
    return g;
}

int PageGeometry::DeviceX(double inches) const { return int(std::lround(inches * dpiX)) - offsetX; }
int PageGeometry::DeviceY(double inches) const { return int(std::lround(inches * dpiY)) - offsetY; }

GdiText::GdiText(HDC dc, const PageGeometry& geometry) : dc_(dc), geometry_(geometry) {}

GdiText::~GdiText() {
    if (original_) SelectObject(dc_, original_);
}

HFONT GdiText::Font(const CharFormat& f) {
    const std::wstring face = f.face.empty() ? std::wstring(kDefaultFace) : Wide(f.face);
    HFONT font = fonts_.Get(
        base::FontOf(face.c_str(), MulDiv(f.halfPoints, geometry_.dpiY, 144), f.bold, f.italic, f.underline));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void GdiText::Select(HFONT font) {
    if (font == selected_) return;
    HGDIOBJ old = SelectObject(dc_, font);
    if (!original_) original_ = old;
    selected_ = font;
}

double GdiText::Width(const CharFormat& font, const std::u16string& text) {
    Select(Font(font));
    SIZE size{};
    std::wstring w = Wide(text);
    if (!GetTextExtentPoint32W(dc_, w.c_str(), static_cast<int>(w.size()), &size)) return 0;
    return double(size.cx) / geometry_.dpiX;
}

FontMetrics GdiText::Metrics(const CharFormat& font) {
    HFONT f = Font(font);
    for (const auto& [known, m] : metrics_)
        if (known == f) return m;
    Select(f);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    FontMetrics m{double(tm.tmHeight + tm.tmExternalLeading) / geometry_.dpiY, double(tm.tmAscent) / geometry_.dpiY};
    metrics_.emplace_back(f, m);
    return m;
}

void GdiText::Draw(HDC dc, const Piece& piece) {
    base::SelectIn font(dc, Font(piece.font));
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    std::wstring w = Wide(piece.text);
    int count = static_cast<int>(w.size());
    int x = geometry_.DeviceX(piece.x), y = geometry_.DeviceY(piece.y);
    bool blank = w.find_first_not_of(L' ') == std::wstring::npos;
    if (!blank || count == 0) {
        ExtTextOutW(dc, x, y, 0, nullptr, w.c_str(), count, nullptr);
        return;
    }
    // A stretched space of a justified, underlined line: spread its advance so
    // the font's underline spans the whole gap.
    int total = geometry_.DeviceX(piece.x + piece.width) - x;
    std::vector<INT> dx(count, total / count);
    dx.back() += total % count;
    ExtTextOutW(dc, x, y, 0, nullptr, w.c_str(), count, dx.data());
}

}  // namespace report
