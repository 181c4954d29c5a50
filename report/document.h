#pragma once
// The rich-text document model shared by the RTF reader and the text flow.
// Portable: no platform headers. Lengths are in twips (1/1440 inch), font
// sizes in half-points, text in UTF-16.
#include <string>
#include <vector>

namespace report {

// Special characters kept in run text.
constexpr char16_t kTab = u'\t';
constexpr char16_t kLineBreak = u'\n';  // a line break inside a paragraph

enum class Align { Left, Center, Right, Justify };

// A character's font: what the layout measures with and the printer draws in.
struct CharFormat {
    std::u16string face;   // from the document's font table; empty: the default face
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const CharFormat& o) const {
        return halfPoints == o.halfPoints && bold == o.bold && italic == o.italic && underline == o.underline &&
               face == o.face;
    }
    bool operator!=(const CharFormat& o) const { return !(*this == o); }
};

struct Run {
    std::u16string text;
    CharFormat format;
    bool listText = false;  // the paragraph's bullet or number
};

struct ParaFormat {
    Align align = Align::Left;
    int leftIndent = 0;
    int firstIndent = 0;  // relative to leftIndent
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    std::vector<int> tabStops;  // from the left limit, ascending
};

struct Paragraph {
    ParaFormat format;
    CharFormat markFormat;  // the paragraph mark's format: an empty line's height
    std::vector<Run> runs;
};

struct Document {
    std::vector<std::u16string> fonts;  // face names; index = RTF font number slot
    std::vector<Paragraph> paragraphs;
    int defaultTab = 720;

    // Every paragraph's text joined by '\r', list text left out unless asked.
    std::u16string PlainText(bool withListText = false) const;
};

}  // namespace report
