#include "text_flow.h"

#include <gtest/gtest.h>

#include "fake_measure.h"
#include "rtf_reader.h"

using namespace report;

namespace {

Paragraph Para(const std::u16string& text, Align align = Align::Left) {
    Paragraph p;
    p.format.align = align;
    p.runs.push_back(Run{text, CharFormat{}, false});
    return p;
}

// A 1-inch column from x=1 to x=2, first line at y=1.5, pages 1..4 inch.
FlowFrame Frame() {
    FlowFrame f;
    f.left = 1.0;
    f.right = 2.0;
    f.startY = 1.5;
    f.pageTop = 1.0;
    f.pageBottom = 4.0;
    return f;
}

FlowResult Layout(const std::vector<Paragraph>& paras, const FlowFrame& frame = Frame()) {
    Document doc;
    doc.paragraphs = paras;
    FakeMeasure m;
    return LayoutText(doc, frame, m);
}

}  // namespace

TEST(TextFlow, WrapsAtTheRightLimitAndStartsAtTheGivenPosition) {
    auto r = Layout({Para(u"aaaa bbbb cccc")});
    ASSERT_EQ(1u, r.pages.size());
    const auto& p = r.pages[0].pieces;
    ASSERT_EQ(3u, p.size());
    EXPECT_DOUBLE_EQ(1.0, p[0].x);
    EXPECT_DOUBLE_EQ(1.5, p[1].x);
    EXPECT_DOUBLE_EQ(1.65, p[0].y);  // baseline: start + ascent
    EXPECT_DOUBLE_EQ(1.65, p[1].y);
    EXPECT_DOUBLE_EQ(1.0, p[2].x);
    EXPECT_DOUBLE_EQ(1.85, p[2].y);
    EXPECT_EQ(2, r.lines);
    EXPECT_DOUBLE_EQ(1.9, r.endY);
}

TEST(TextFlow, Alignments) {
    auto r = Layout({Para(u"ab", Align::Left), Para(u"ab", Align::Center), Para(u"ab", Align::Right),
                     Para(u"ab cd  ", Align::Right)});
    const auto& p = r.pages[0].pieces;
    ASSERT_EQ(5u, p.size());
    EXPECT_DOUBLE_EQ(1.0, p[0].x);
    EXPECT_DOUBLE_EQ(1.4, p[1].x);
    EXPECT_DOUBLE_EQ(1.8, p[2].x);
    EXPECT_DOUBLE_EQ(1.5, p[3].x);  // trailing blanks do not count
    EXPECT_DOUBLE_EQ(1.8, p[4].x);
}

TEST(TextFlow, JustifiedLinesSpreadTheRoomOverTheBlanksButNotTheLastLine) {
    auto r = Layout({Para(u"aa bb cc dd", Align::Justify)});
    const auto& p = r.pages[0].pieces;
    ASSERT_EQ(4u, p.size());
    // "aa bb cc" is 0.8 wide: 0.2 spread over two blanks.
    EXPECT_NEAR(1.0, p[0].x, 1e-9);
    EXPECT_NEAR(1.4, p[1].x, 1e-9);
    EXPECT_NEAR(1.8, p[2].x, 1e-9);
    EXPECT_NEAR(2.0, p[2].x + p[2].width, 1e-9);
    EXPECT_NEAR(1.0, p[3].x, 1e-9);  // last line stays left
    EXPECT_EQ(u"dd", p[3].text);
}

TEST(TextFlow, IndentsTabsAndLineBreaks) {
    Paragraph p = Para(u"a\tb\nc d e f g h");
    p.format.leftIndent = 144;   // 0.1 inch
    p.format.firstIndent = 144;  // first line at 0.2
    p.format.rightIndent = 288;  // column ends at 1.8
    auto r = Layout({p});
    const auto& s = r.pages[0].pieces;
    ASSERT_EQ(8u, s.size());
    EXPECT_NEAR(1.2, s[0].x, 1e-9);
    EXPECT_NEAR(1.5, s[1].x, 1e-9);  // default stop every half inch from the left limit
    EXPECT_NEAR(1.1, s[2].x, 1e-9);  // after the line break
    EXPECT_GT(s[2].y, s[1].y);
    for (const Piece& piece : s) EXPECT_LE(piece.x + piece.width, 1.8 + 1e-9) << std::string(piece.text.begin(), piece.text.end());
}

TEST(TextFlow, LongWordsAreBrokenAndEmptyParagraphsTakeALine) {
    auto r = Layout({Para(u"abcdefghijklmno"), Paragraph{}, Para(u"x")});
    const auto& p = r.pages[0].pieces;
    ASSERT_EQ(3u, p.size());
    EXPECT_EQ(u"abcdefghij", p[0].text);
    EXPECT_EQ(u"klmno", p[1].text);
    EXPECT_NEAR(0.4, p[2].y - p[1].y, 1e-9);  // one empty line between
}

TEST(TextFlow, ParagraphContinuesOnTheNextPageWithTheSameLimits) {
    // 20 lines of 0.2 inch from y=1.5 to a bottom at 4.0: 12 on the first page,
    // the rest from the top of the next.
    std::u16string text;
    for (int i = 0; i < 20; ++i) text += u"wwwwwwwww ";
    Paragraph p = Para(text, Align::Justify);
    p.format.leftIndent = 72;
    auto r = Layout({p});
    ASSERT_EQ(2u, r.pages.size());
    EXPECT_EQ(12u, r.pages[0].pieces.size());
    ASSERT_EQ(8u, r.pages[1].pieces.size());
    EXPECT_NEAR(1.15, r.pages[1].pieces[0].y, 1e-9);  // top + ascent
    for (const auto& page : r.pages)
        for (const Piece& piece : page.pieces) {
            EXPECT_NEAR(1.05, piece.x, 1e-9);
            EXPECT_LE(piece.y, 4.0);
        }
    EXPECT_NEAR(1.0 + 8 * 0.2, r.endY, 1e-9);
}

TEST(TextFlow, LineHeightFollowsTheLargestFontAndFormatsReachThePieces) {
    auto rtf = ReadRtf("{\\rtf1{\\fonttbl{\\f0 Face;}}\\f0 a {\\b\\i\\ul\\fs48 B} c\\par d\\par}");
    ASSERT_TRUE(rtf.ok);
    FakeMeasure m;
    FlowFrame f = Frame();
    f.right = 5;
    auto r = LayoutText(rtf.doc, f, m);
    const auto& p = r.pages[0].pieces;
    ASSERT_EQ(4u, p.size());
    EXPECT_NEAR(1.5 + 0.3, p[0].y, 1e-9);  // the big font's ascent sets the baseline
    EXPECT_EQ(p[0].y, p[1].y);
    EXPECT_TRUE(p[1].font.bold && p[1].font.italic && p[1].font.underline);
    EXPECT_EQ(48, p[1].font.halfPoints);
    EXPECT_EQ(u"Face", p[1].font.face);
    EXPECT_NEAR(1.5 + 0.4 + 0.15, p[3].y, 1e-9);
}
