#include "rtf_reader.h"

#include <algorithm>

#include "codepages.h"

namespace report {

namespace {

enum class Dest { Text, ListText, FontTable, Skip };

// Character properties as the stream states them: the font by its RTF number.
struct CharState {
    int fontNum = -1;  // -1: the document's default font
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, hidden = false;
};

struct State {
    Dest dest = Dest::Text;
    CharState chr;
    ParaFormat para;
    int uc = 1;
};

constexpr size_t kMaxWord = 32;
constexpr int kMaxFonts = 1024;
constexpr size_t kMaxFaceName = 64;
constexpr size_t kMaxTabStops = 64;
constexpr int kMaxTwips = 31680;  // 22 inches

int Clamp(long v, int lo, int hi) { return static_cast<int>(std::min<long>(std::max<long>(v, lo), hi)); }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

struct Symbol { const char* word; char16_t ch; };
const Symbol kSymbols[] = {
    {"bullet", 0x2022}, {"endash", 0x2013}, {"emdash", 0x2014},
    {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C},
    {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},
    {"qmspace", 0x2005}, {"tab", kTab}, {"line", kLineBreak}, {"cell", kTab},
};

// Destinations whose content is never printed, \* or not.
const char* const kSkipped[] = {
    "colortbl", "stylesheet", "info", "pict", "object", "header", "headerl",
    "headerr", "headerf", "footer", "footerl", "footerr", "footerf", "footnote",
    "fldinst", "pn", "xe", "tc", "txe", "rxe", "listtable", "listoverridetable",
    "revtbl", "rsidtbl", "filetbl", "themedata", "colorschememapping",
    "datastore", "latentstyles", "generator", "shpinst", "nonshppict",
    "annotation", "atnid", "atnauthor", "private", "template", "mmathPr",
};

class Reader {
public:
    Reader(std::string_view in, const RtfLimits& limits) : in_(in), limits_(limits) {}

    RtfResult Read() {
        RtfResult result;
        if (in_.size() > limits_.maxInput) {
            Fail("input larger than " + std::to_string(limits_.maxInput) + " bytes");
        } else if (!StartsAsRtf()) {
            Fail("not an RTF document (no {\\rtf at the start)");
        } else {
            Parse();
        }
        if (!cur_.runs.empty()) EndParagraph();
        result.doc = std::move(doc_);
        result.ok = error_.empty();
        result.error = error_;
        return result;
    }

private:
    bool StartsAsRtf() {
        while (pos_ < in_.size() && (in_[pos_] == ' ' || in_[pos_] == '\r' ||
                                     in_[pos_] == '\n' || in_[pos_] == '\t'))
            ++pos_;
        return in_.substr(pos_, 5) == "{\\rtf";
    }

    void Fail(const std::string& text) {
        if (error_.empty()) error_ = text;
        stop_ = true;
    }

    void Parse() {
        while (!stop_ && pos_ < in_.size()) {
            char c = in_[pos_++];
            if (c == '{') OpenGroup();
            else if (c == '}') CloseGroup();
            else if (c == '\\') Control();
            else if (c == '\r' || c == '\n') continue;
            else if (SkipFallback()) continue;
            else if (c == '\t') Emit(kTab);
            else Byte(static_cast<unsigned char>(c));
        }
        if (!stop_ && !stack_.empty())
            Fail("unexpected end of input with " + std::to_string(stack_.size()) + " group(s) open");
    }

    // After \uN, the next uc characters are the fallback for readers without Unicode.
    bool SkipFallback() {
        if (skip_ <= 0) return false;
        --skip_;
        return true;
    }

    void OpenGroup() {
        skip_ = 0;
        star_ = false;
        if (static_cast<int>(stack_.size()) >= limits_.maxDepth) {
            Fail("groups nested deeper than " + std::to_string(limits_.maxDepth));
            return;
        }
        stack_.push_back(st_);
        groupStart_ = true;
    }

    void CloseGroup() {
        skip_ = 0;
        star_ = false;
        groupStart_ = false;
        if (stack_.empty()) { stop_ = true; return; }  // text after the document
        st_ = stack_.back();
        stack_.pop_back();
        if (stack_.empty()) stop_ = true;  // the document's group is closed
    }

    // Skips the rest of the current group without interpreting it.
    void SkipGroup() {
        int depth = 1;
        while (pos_ < in_.size()) {
            char c = in_[pos_++];
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0) { CloseGroup(); return; }
            } else if (c == '\\' && pos_ < in_.size()) {
                if (in_.compare(pos_, 3, "bin") == 0) {
                    pos_ += 3;
                    long n = 0;
                    bool has = false;
                    ReadNumber(&n, &has);
                    SkipBinary(n);
                } else {
                    ++pos_;
                }
            }
        }
        // End of input inside a skipped group: reported by Parse.
    }

    void SkipBinary(long n) {
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        size_t left = in_.size() - pos_;
        pos_ += n > 0 ? std::min<size_t>(static_cast<size_t>(n), left) : 0;
    }

    // Reads an optional signed decimal; keeps at most 10 digits and clamps.
    void ReadNumber(long* value, bool* has) {
        bool neg = false;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
            neg = true;
            ++pos_;
        }
        long v = 0;
        int digits = 0;
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            if (digits < 10) v = std::min<long>(v * 10 + (in_[pos_] - '0'), 2000000000L);
            ++digits;
            ++pos_;
        }
        *has = digits > 0;
        *value = neg ? -v : v;
    }

    void Control() {
        if (pos_ >= in_.size()) { Fail("input ends inside a control word"); return; }
        char c = in_[pos_];
        if (!IsAlpha(c)) { ++pos_; ControlSymbol(c); return; }
        std::string word;
        while (pos_ < in_.size() && IsAlpha(in_[pos_])) {
            if (word.size() < kMaxWord) word += in_[pos_];
            ++pos_;
        }
        long param = 0;
        bool has = false;
        ReadNumber(&param, &has);
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        if (word == "bin") { SkipBinary(param); return; }
        bool atStart = groupStart_;
        bool star = star_;
        groupStart_ = star_ = false;
        if (Destination(word, atStart, star)) return;
        if (SkipFallback()) return;
        Word(word, has, param);
    }

    void ControlSymbol(char c) {
        if (c == '*') { star_ = true; return; }
        groupStart_ = false;
        if (c == '\'') { Hex(); return; }
        if (SkipFallback()) return;
        switch (c) {
        case '\\': case '{': case '}': Emit(static_cast<char16_t>(c)); break;
        case '~': Emit(0x00A0); break;
        case '_': Emit(0x2011); break;
        case '\r': case '\n': EndParagraphCommand(); break;
        default: break;  // \- optional hyphen, \| and others: nothing to print
        }
    }

    void Hex() {
        int hi = pos_ < in_.size() ? HexValue(in_[pos_]) : -1;
        int lo = pos_ + 1 < in_.size() ? HexValue(in_[pos_ + 1]) : -1;
        if (hi < 0 || lo < 0) {  // malformed escape: drop it
            if (hi >= 0) ++pos_;
            return;
        }
        pos_ += 2;
        if (SkipFallback()) return;
        Byte(static_cast<unsigned char>(hi * 16 + lo));
    }

    // Handles destination words; true when the word was one.
    bool Destination(const std::string& word, bool atStart, bool star) {
        if (word == "fonttbl") { st_.dest = Dest::FontTable; return true; }
        if (word == "pntext" || word == "listtext") {
            if (st_.dest != Dest::Skip) st_.dest = Dest::ListText;
            return true;
        }
        if (word == "fldrslt") return true;
        bool skip = star && atStart;
        for (const char* s : kSkipped) skip = skip || word == s;
        if (!skip) return false;
        if (stack_.empty()) return true;  // a destination outside any group: ignore
        SkipGroup();
        return true;
    }

    void Word(const std::string& w, bool has, long p) {
        if (st_.dest == Dest::FontTable) { FontTableWord(w, has, p); return; }
        if (CharWord(w, has, p) || ParaWord(w, has, p)) return;
        if (w == "par" || w == "sect" || w == "page" || w == "row") { EndParagraphCommand(); return; }
        if (w == "u") { Unicode(p); return; }
        if (w == "uc") { st_.uc = Clamp(p, 0, 64); return; }
        if (w == "ansicpg") { ansiCp_ = Clamp(p, 0, 65535); return; }
        if (w == "ansi") { ansiCp_ = 1252; return; }
        if (w == "pc") { ansiCp_ = 437; return; }
        if (w == "deff") { deff_ = Clamp(p, -1, 1 << 30); return; }
        if (w == "deftab") { doc_.defaultTab = Clamp(p, 1, kMaxTwips); return; }
        for (const Symbol& s : kSymbols)
            if (w == s.word) { Emit(s.ch); return; }
    }

    bool CharWord(const std::string& w, bool has, long p) {
        bool on = !has || p != 0;
        CharState& c = st_.chr;
        if (w == "plain") c = CharState{};
        else if (w == "b") c.bold = on;
        else if (w == "i") c.italic = on;
        else if (w == "ulnone") c.underline = false;
        else if (w.compare(0, 2, "ul") == 0 && w != "ulc") c.underline = on;
        else if (w == "v") c.hidden = on;
        else if (w == "f") c.fontNum = Clamp(p, 0, 1 << 30);
        else if (w == "fs") c.halfPoints = p > 0 ? Clamp(p, 2, 3276) : 24;
        else return false;
        return true;
    }

    bool ParaWord(const std::string& w, bool, long p) {
        ParaFormat& f = st_.para;
        int t = Clamp(p, -kMaxTwips, kMaxTwips);
        if (w == "pard") f = ParaFormat{};
        else if (w == "ql") f.align = Align::Left;
        else if (w == "qc") f.align = Align::Center;
        else if (w == "qr") f.align = Align::Right;
        else if (w == "qj" || w == "qd") f.align = Align::Justify;
        else if (w == "li") f.leftIndent = t;
        else if (w == "ri") f.rightIndent = t;
        else if (w == "fi") f.firstIndent = t;
        else if (w == "sb") f.spaceBefore = std::max(t, 0);
        else if (w == "sa") f.spaceAfter = std::max(t, 0);
        else if (w == "tx" || w == "tb") AddTabStop(t);
        else return false;
        return true;
    }

    void AddTabStop(int twips) {
        auto& stops = st_.para.tabStops;
        if (twips <= 0 || stops.size() >= kMaxTabStops) return;
        auto it = std::lower_bound(stops.begin(), stops.end(), twips);
        if (it == stops.end() || *it != twips) stops.insert(it, twips);
    }

    void FontTableWord(const std::string& w, bool, long p) {
        if (w == "f") {
            font_ = FontIndex(Clamp(p, 0, 1 << 30), true);
            fontNameDone_ = false;
        } else if (w == "fcharset" && font_ >= 0) {
            fontCp_[font_] = CodePageOfCharset(Clamp(p, 0, 255));
        } else if (w == "cpg" && font_ >= 0) {
            fontCp_[font_] = Clamp(p, 0, 65535);
        } else if (w == "u") {
            Unicode(p);
        }
    }

    int FontIndex(int number, bool define) {
        auto it = std::lower_bound(fontNums_.begin(), fontNums_.end(), std::pair(number, 0));
        if (it != fontNums_.end() && it->first == number) {
            if (define) doc_.fonts[it->second].clear();
            return it->second;
        }
        if (!define || static_cast<int>(doc_.fonts.size()) >= kMaxFonts) return -1;
        int index = static_cast<int>(doc_.fonts.size());
        fontNums_.insert(it, {number, index});
        doc_.fonts.emplace_back();
        fontCp_.push_back(0);
        return index;
    }

    int CurrentFont() {
        int num = st_.chr.fontNum >= 0 ? st_.chr.fontNum : deff_;
        if (num < 0) return -1;
        return FontIndex(num, false);
    }

    int CodePage() {
        int font = st_.dest == Dest::FontTable ? font_ : CurrentFont();
        int cp = font >= 0 ? fontCp_[font] : 0;
        return cp ? cp : ansiCp_;
    }

    void Unicode(long n) {
        long v = Clamp(n, -32768, 65535);
        if (v < 0) v += 65536;
        if (v >= 0x20) Emit(static_cast<char16_t>(v));
        skip_ = st_.uc;
    }

    void Byte(unsigned char b) {
        if (st_.dest == Dest::FontTable && b == ';') { fontNameDone_ = true; return; }
        if (b < 0x20) return;
        Emit(DecodeByte(b, CodePage()));
    }

    void Emit(char16_t ch) {
        switch (st_.dest) {
        case Dest::Skip: return;
        case Dest::FontTable: FontNameChar(ch); return;
        case Dest::Text: case Dest::ListText: break;
        }
        if (st_.chr.hidden) return;
        if (!Count(1)) return;
        CharFormat f = Format();
        bool list = st_.dest == Dest::ListText;
        if (cur_.runs.empty() || cur_.runs.back().format != f || cur_.runs.back().listText != list) {
            if (!Count(8)) return;
            cur_.runs.push_back(Run{std::u16string(), f, list});
        }
        cur_.runs.back().text += ch;
    }

    void FontNameChar(char16_t ch) {
        if (font_ < 0 || fontNameDone_) return;
        std::u16string& name = doc_.fonts[font_];
        if (ch == u' ' && name.empty()) return;
        if (name.size() < kMaxFaceName) name += ch;
    }

    CharFormat Format() {
        CharFormat f;
        const int font = CurrentFont();
        if (font >= 0) f.face = doc_.fonts[font];
        f.halfPoints = st_.chr.halfPoints;
        f.bold = st_.chr.bold;
        f.italic = st_.chr.italic;
        f.underline = st_.chr.underline;
        return f;
    }

    void EndParagraphCommand() {
        if (st_.dest != Dest::Text) return;
        EndParagraph();
    }

    void EndParagraph() {
        if (!Count(16)) return;
        cur_.format = st_.para;
        cur_.markFormat = Format();
        doc_.paragraphs.push_back(std::move(cur_));
        cur_ = Paragraph{};
    }

    // Keeps the model's size proportional to the input's.
    bool Count(size_t units) {
        out_ += units;
        if (out_ > 16 * in_.size() + 64) { Fail("document larger than its input allows"); return false; }
        return true;
    }

    std::string_view in_;
    RtfLimits limits_;
    size_t pos_ = 0;
    bool stop_ = false;
    std::string error_;
    std::vector<State> stack_;
    State st_;
    bool groupStart_ = false;
    bool star_ = false;
    int skip_ = 0;
    size_t out_ = 0;

    Document doc_;
    Paragraph cur_;
    std::vector<std::pair<int, int>> fontNums_;  // (RTF font number, index), by number
    std::vector<int> fontCp_;
    int font_ = -1;
    bool fontNameDone_ = false;
    int ansiCp_ = 1252;
    int deff_ = 0;  // without \deff, font 0 is the default
};

}  // namespace

RtfResult ReadRtf(std::string_view bytes, const RtfLimits& limits) {
    return Reader(bytes, limits).Read();
}

}  // namespace report
