#pragma once
// Lays a Document out between two horizontal limits, wrapping lines at word
// boundaries and breaking pages. Portable C++17; all lengths are in inches.
#include <string>
#include <vector>

#include "document.h"

namespace report {

struct FontMetrics {
    double height = 0;  // line height
    double ascent = 0;  // from the line's top to the baseline
};

// What the layout needs from the output device.
class TextMeasure {
public:
    virtual ~TextMeasure() = default;
    virtual double Width(const CharFormat& font, const std::u16string& text) = 0;
    virtual FontMetrics Metrics(const CharFormat& font) = 0;
};

struct FlowFrame {
    double left = 0, right = 0;  // the text column
    double startY = 0;           // top of the first line on the first page
    double pageTop = 0;          // top of the first line on further pages
    double pageBottom = 0;       // no line goes below this
    double tabInterval = 0.5;    // default tab stops, from the left limit
};

// One positioned piece of text; y is its baseline. width is the advance the
// layout gave it (a stretched space in a justified line is wider than measured).
struct Piece {
    double x = 0, y = 0, width = 0;
    std::u16string text;
    CharFormat font;
};

struct FlowPage {
    std::vector<Piece> pieces;
};

struct FlowResult {
    std::vector<FlowPage> pages;  // the first is the page the flow started on
    double endY = 0;              // below the last line, on the last page
    int lines = 0;
};

FlowResult LayoutText(const Document& doc, const FlowFrame& frame, TextMeasure& measure);

}  // namespace report
