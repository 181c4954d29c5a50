#pragma once
// The report a print job hands to its handler: a print position and pages
// recorded in memory against the printer. Positions are in inches from the
// paper's top-left corner; the margins are measured from the paper's edges.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "base/handles.h"
#include "gdi_text.h"
#include "printer.h"

namespace report {

struct Margins {
    double left = 1.0, top = 1.0, right = 1.0, bottom = 1.0;
};

class Report {
public:
    // onPage is told each page number as that page starts; it may throw to stop.
    Report(Printer& printer, const Margins& margins, std::function<void(int)> onPage);
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    double XPos() const { return x_; }
    double YPos() const { return y_; }
    void GotoXY(double x, double y) { x_ = x; y_ = y; }

    double PageHeight() const { return geometry_.PaperHeightInches(); }
    double SectionTop() const { return margins_.top; }
    double SectionBottom() const { return PageHeight() - margins_.bottom; }
    int PageNumber() const { return static_cast<int>(pages_.size()) + 1; }

    // Ends the current page and starts the next, the position at the top-left margins.
    void NewPage();
    TextMeasure& Measure() { return text_; }
    void Draw(const Piece& piece);

    // For the job: starts the first page, and ends the last and hands over all.
    void Begin();
    std::vector<base::ScopedEmf> Finish();

private:
    void StartPage();
    void EndPage();

    PageGeometry geometry_;
    Margins margins_;
    std::function<void(int)> onPage_;
    HDC reference_;
    GdiText text_;
    HDC recording_ = nullptr;
    std::vector<base::ScopedEmf> pages_;
    double x_ = 0, y_ = 0;
};

}  // namespace report
