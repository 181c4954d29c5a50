#pragma once
// Text on a GDI device: measuring for the text flow and drawing its pieces.
// Positions are in inches from the paper's top-left corner.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/font_cache.h"
#include "text_flow.h"

namespace report {

// A page's geometry in the device's pixels.
struct PageGeometry {
    int dpiX = 96, dpiY = 96;
    int paperWidth = 816, paperHeight = 1056;  // the whole sheet
    int offsetX = 0, offsetY = 0;              // the printable area's corner on the sheet
    int printWidth = 816, printHeight = 1056;  // the printable area

    static PageGeometry Of(HDC dc);
    static PageGeometry Letter(int dpi);
    double PaperHeightInches() const { return double(paperHeight) / dpiY; }
    int DeviceX(double inches) const;  // in the printable area's coordinates
    int DeviceY(double inches) const;
};

// Creates fonts for the device once each and measures with them.
class GdiText : public TextMeasure {
public:
    GdiText(HDC dc, const PageGeometry& geometry);
    ~GdiText() override;
    GdiText(const GdiText&) = delete;
    GdiText& operator=(const GdiText&) = delete;

    double Width(const CharFormat& font, const std::u16string& text) override;
    FontMetrics Metrics(const CharFormat& font) override;

    // Draws on dc (the device itself or a recording made against it).
    void Draw(HDC dc, const Piece& piece);

private:
    HFONT Font(const CharFormat& font);
    void Select(HFONT font);

    HDC dc_;
    PageGeometry geometry_;
    base::FontCache fonts_;
    std::vector<std::pair<HFONT, FontMetrics>> metrics_;  // a handful of fonts
    HGDIOBJ original_ = nullptr;
    HFONT selected_ = nullptr;
};

}  // namespace report
