#include "text_flow.h"

#include <algorithm>
#include <cmath>

namespace report {
namespace {

constexpr double kEps = 1e-9;
constexpr double kTwip = 1.0 / 1440;
constexpr double kMinColumn = 0.05;     // a column never gets narrower than this
constexpr double kMinLineHeight = 0.01;

enum class Kind { Word, Space, Tab, Break };

struct Frag {
    Kind kind;
    int run;  // index into the paragraph's runs: the format
    std::u16string text;
    double width = 0;
};

struct Placed {
    Kind kind;
    int run;
    std::u16string text;
    double x, width;
};

struct Line {
    std::vector<Placed> items;
    bool last = false;       // ends the paragraph
    bool hardBreak = false;  // ends with a line break
};

bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

class ParagraphFlow {
public:
    ParagraphFlow(const Paragraph& para, const FlowFrame& frame, TextMeasure& measure)
        : para_(para), frame_(frame), measure_(measure) {
        Split();
        const ParaFormat& f = para.format;
        left_ = frame.left + f.leftIndent * kTwip;
        firstLeft_ = left_ + f.firstIndent * kTwip;
        right_ = std::max(frame.right - f.rightIndent * kTwip, std::max(left_, firstLeft_) + kMinColumn);
    }

    bool Done() const { return next_ >= frags_.size() && produced_ && !afterBreak_; }

    Line NextLine() {
        Line line;
        double x = produced_ ? left_ : firstLeft_;
        produced_ = true;
        afterBreak_ = false;
        bool hasWord = false;
        while (true) {
            if (next_ >= frags_.size()) { line.last = true; break; }
            Frag& f = frags_[next_];
            if (f.kind == Kind::Break) { ++next_; line.hardBreak = true; lastRun_ = f.run; afterBreak_ = true; break; }
            if (f.kind == Kind::Tab) {
                if (!PlaceTab(f, hasWord, &x, &line)) break;
                continue;
            }
            if (f.kind == Kind::Space) {
                line.items.push_back({Kind::Space, f.run, f.text, x, f.width});
                x += f.width;
                ++next_;
                continue;
            }
            if (!PlaceWord(hasWord, &x, &line)) break;
            hasWord = true;
        }
        return line;
    }

    // A tab up to the next stop; false when, after a word, the stop lies past the line's end.
    bool PlaceTab(const Frag& f, bool hasWord, double* x, Line* line) {
        double stop = NextTab(*x);
        if (stop > right_ + kEps && hasWord) return false;
        stop = std::min(stop, std::max(right_, *x));
        line->items.push_back({Kind::Tab, f.run, f.text, *x, stop - *x});
        *x = stop;
        ++next_;
        return true;
    }

    // The next word when it fits; false when it does not (alone on its line it is split).
    bool PlaceWord(bool hasWord, double* x, Line* line) {
        size_t end = next_;
        double w = 0;
        while (end < frags_.size() && frags_[end].kind == Kind::Word) w += frags_[end++].width;
        if (*x + w > right_ + kEps) {
            if (!hasWord) SplitWord(end, x, line);
            return false;
        }
        for (; next_ < end; ++next_) {
            const Frag& g = frags_[next_];
            line->items.push_back({Kind::Word, g.run, g.text, *x, g.width});
            *x += g.width;
        }
        return true;
    }

    FontMetrics LineMetrics(const Line& line) {
        FontMetrics m;
        for (const Placed& p : line.items) Max(&m, Metrics(p.run));
        if (line.items.empty()) Max(&m, lastRun_ >= 0 ? Metrics(lastRun_) : measure_.Metrics(para_.markFormat));
        m.height = std::max(m.height, kMinLineHeight);
        m.ascent = std::min(std::max(m.ascent, 0.0), m.height);
        return m;
    }

    void Emit(const Line& line, double baseline, std::vector<Piece>* out) const {
        size_t end = line.items.size();  // trailing spaces do not count for alignment
        while (end > 0 && line.items[end - 1].kind == Kind::Space) --end;
        double contentEnd = end ? line.items[end - 1].x + line.items[end - 1].width : 0;
        double room = end ? std::max(right_ - contentEnd, 0.0) : 0;
        double shift = 0, perSpace = 0;
        size_t stretchFrom = 0;  // justification stretches spaces after the last tab
        Align a = para_.format.align;
        if (a == Align::Center) shift = room / 2;
        if (a == Align::Right) shift = room;
        if (a == Align::Justify && !line.last && !line.hardBreak) {
            size_t spaces = 0;
            for (size_t i = 0; i < end; ++i) {
                if (line.items[i].kind == Kind::Tab) { spaces = 0; stretchFrom = i + 1; }
                if (line.items[i].kind == Kind::Space) spaces += line.items[i].text.size();
            }
            if (spaces) perSpace = room / spaces;
        }
        double extra = shift;
        for (size_t i = 0; i < line.items.size(); ++i) {
            const Placed& p = line.items[i];
            double grow = (i >= stretchFrom && i < end && p.kind == Kind::Space) ? perSpace * p.text.size() : 0;
            bool draw = p.kind == Kind::Word || (p.kind == Kind::Space && i < end && Format(p.run).underline);
            if (draw) out->push_back(Piece{p.x + extra, baseline, p.width + grow, p.text, Format(p.run)});
            extra += grow;
        }
    }

private:
    const CharFormat& Format(int run) const { return para_.runs[run].format; }
    FontMetrics Metrics(int run) { return measure_.Metrics(Format(run)); }

    static void Max(FontMetrics* m, const FontMetrics& o) {
        m->height = std::max(m->height, o.height);
        m->ascent = std::max(m->ascent, o.ascent);
    }

    void Split() {
        for (size_t r = 0; r < para_.runs.size(); ++r) {
            const std::u16string& t = para_.runs[r].text;
            size_t i = 0;
            while (i < t.size()) {
                Kind k = KindOf(t[i]);
                size_t j = i + 1;
                if (k == Kind::Word || k == Kind::Space)
                    while (j < t.size() && KindOf(t[j]) == k) ++j;
                Frag f{k, static_cast<int>(r), t.substr(i, j - i)};
                if (k == Kind::Word || k == Kind::Space) f.width = std::max(measure_.Width(Format(r), f.text), 0.0);
                frags_.push_back(std::move(f));
                i = j;
            }
        }
    }

    static Kind KindOf(char16_t c) {
        if (c == u' ') return Kind::Space;
        if (c == kTab) return Kind::Tab;
        if (c == kLineBreak) return Kind::Break;
        return Kind::Word;
    }

    double NextTab(double x) const {
        const ParaFormat& f = para_.format;
        if (f.firstIndent < 0 && x < left_ - kEps) return left_;  // a hanging indent is a stop
        for (int stop : f.tabStops) {
            double s = frame_.left + stop * kTwip;
            if (s > x + kEps) return s;
        }
        double step = frame_.tabInterval > kEps ? frame_.tabInterval : 0.5;
        double n = std::floor((x - frame_.left) / step + kEps) + 1;
        return frame_.left + std::max(n, 1.0) * step;
    }

    // A word wider than the empty line: place what fits, at least one character.
    void SplitWord(size_t end, double* x, Line* line) {
        for (; next_ < end; ++next_) {
            Frag& g = frags_[next_];
            if (*x + g.width <= right_ + kEps) {
                line->items.push_back({Kind::Word, g.run, g.text, *x, g.width});
                *x += g.width;
                continue;
            }
            size_t count = 0;
            double w = 0;
            while (count < g.text.size()) {
                double c = measure_.Width(Format(g.run), g.text.substr(count, 1));
                if (*x + w + c > right_ + kEps) break;
                w += std::max(c, 0.0);
                ++count;
            }
            while (count > 0 && count < g.text.size() && IsLowSurrogate(g.text[count])) --count;
            if (count == 0 && line->items.empty()) {
                count = (g.text.size() > 1 && IsLowSurrogate(g.text[1])) ? 2 : 1;
                w = measure_.Width(Format(g.run), g.text.substr(0, count));
            }
            if (count >= g.text.size()) {  // fits by its characters' widths after all
                line->items.push_back({Kind::Word, g.run, g.text, *x, w});
                ++next_;
            } else if (count > 0) {
                line->items.push_back({Kind::Word, g.run, g.text.substr(0, count), *x, w});
                g.text.erase(0, count);
                g.width = std::max(g.width - w, 0.0);
            }
            return;
        }
    }

    const Paragraph& para_;
    const FlowFrame& frame_;
    TextMeasure& measure_;
    std::vector<Frag> frags_;
    size_t next_ = 0;
    bool produced_ = false;
    bool afterBreak_ = false;  // a line break at the end still opens an empty line
    int lastRun_ = -1;
    double left_ = 0, firstLeft_ = 0, right_ = 0;
};

class Flow {
public:
    Flow(const FlowFrame& frame) : frame_(frame), y_(frame.startY) { result_.pages.emplace_back(); }

    void Paragraph(const report::Paragraph& para, TextMeasure& measure) {
        ParagraphFlow pf(para, frame_, measure);
        y_ += para.format.spaceBefore * kTwip;
        while (!pf.Done()) {
            Line line = pf.NextLine();
            FontMetrics m = pf.LineMetrics(line);
            if (y_ + m.height > frame_.pageBottom + kEps && (linesOnPage_ > 0 || y_ > frame_.pageTop + kEps))
                NewPage();
            pf.Emit(line, y_ + m.ascent, &result_.pages.back().pieces);
            y_ += m.height;
            ++linesOnPage_;
            ++result_.lines;
        }
        y_ += para.format.spaceAfter * kTwip;
    }

    FlowResult Finish() {
        result_.endY = y_;
        return std::move(result_);
    }

private:
    void NewPage() {
        result_.pages.emplace_back();
        y_ = frame_.pageTop;
        linesOnPage_ = 0;
    }

    FlowFrame frame_;
    double y_;
    int linesOnPage_ = 0;
    FlowResult result_;
};

}  // namespace

FlowResult LayoutText(const Document& doc, const FlowFrame& frame, TextMeasure& measure) {
    Flow flow(frame);
    for (const Paragraph& p : doc.paragraphs) flow.Paragraph(p, measure);
    return flow.Finish();
}

}  // namespace report
