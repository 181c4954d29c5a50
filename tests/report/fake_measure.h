#pragma once
// Deterministic metrics for layout tests: every character is 0.1 inch wide,
// a line is 0.2 inch high with the baseline 0.15 inch below its top.
#include "text_flow.h"

class FakeMeasure : public report::TextMeasure {
public:
    double Width(const report::CharFormat&, const std::u16string& text) override { return 0.1 * text.size(); }
    report::FontMetrics Metrics(const report::CharFormat& f) override {
        return {0.2 * f.halfPoints / 24, 0.15 * f.halfPoints / 24};
    }
};
