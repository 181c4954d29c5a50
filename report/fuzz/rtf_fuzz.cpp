// Fuzz target: the RTF reader and the text flow on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rtf_reader.h"
#include "text_flow.h"

namespace {

// Deterministic metrics: width grows with size, bold and the character.
class FakeMeasure : public report::TextMeasure {
public:
    double Width(const report::CharFormat& f, const std::u16string& text) override {
        double w = 0;
        for (char16_t c : text) w += (c % 7 + 3) * f.halfPoints / 2400.0 * (f.bold ? 1.1 : 1.0);
        return w;
    }
    report::FontMetrics Metrics(const report::CharFormat& f) override {
        return {f.halfPoints / 120.0, f.halfPoints / 150.0};
    }
};

void Check(bool ok) {
    if (!ok) abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    report::RtfResult r = report::ReadRtf(in);
    Check(r.ok == r.error.empty());
    size_t chars = 0;
    for (const auto& p : r.doc.paragraphs)
        for (const auto& run : p.runs) chars += run.text.size();
    Check(chars <= size);

    FakeMeasure measure;
    report::FlowFrame frame{1.5, 8.0, 1.5, 1.0, 10.0, 0.5};
    report::FlowResult flow = report::LayoutText(r.doc, frame, measure);
    size_t placed = 0;
    for (const auto& page : flow.pages)
        for (const auto& piece : page.pieces) {
            Check(!piece.text.empty());
            placed += piece.text.size();
        }
    Check(placed <= chars);
    Check(flow.pages.size() <= static_cast<size_t>(flow.lines) + 1);
    return 0;
}
