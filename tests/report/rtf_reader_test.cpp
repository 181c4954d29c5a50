#include "rtf_reader.h"

#include <gtest/gtest.h>

#include <string>

using report::Align;
using report::ReadRtf;

namespace {

std::u16string Text(const std::string& rtf) { return ReadRtf(rtf).doc.PlainText(); }

}  // namespace

TEST(RtfReader, PolishLettersByFontCharsetOverDocumentCodePage) {
    // The document says 1252, the font 238 (1250): the font decides, as the rich-edit control does.
    auto r = ReadRtf("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss\\fcharset238 Tahoma;}}\\f0 "
                     "\\'a5\\'c6\\'ca\\'a3\\'d1\\'d3\\'8c\\'8f\\'af \\'b9\\'e6\\'ea\\'b3\\'f1\\'f3\\'9c\\'9f\\'bf\\par}");
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(u"ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż", r.doc.PlainText());
    ASSERT_EQ(1u, r.doc.fonts.size());
    EXPECT_EQ(u"Tahoma", r.doc.fonts[0]);
}

TEST(RtfReader, DocumentCodePageAppliesWithoutFontCharset) {
    EXPECT_EQ(u"zażółć", Text("{\\rtf1\\ansi\\ansicpg1250 za\\'bf\\'f3\\'b3\\'e6}"));
    EXPECT_EQ(u"café €", Text("{\\rtf1\\ansi caf\\'e9 \\'80}"));
    EXPECT_EQ(u"Жук", Text("{\\rtf1\\ansi{\\fonttbl{\\f1\\fcharset204 X;}}\\f1 \\'c6\\'f3\\'ea}"));
    EXPECT_EQ(u"ąČ", Text("{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset186 X;}}\\'e0\\'c8}"));  // 1257
    EXPECT_EQ(u"é", Text("{\\rtf1\\ansi\\ansicpg9999 \\'e9}"));                           // unknown: 1252
}

TEST(RtfReader, UnicodeWithFallbackSkipping) {
    EXPECT_EQ(u"łą", Text("{\\rtf1\\uc1\\u322?\\u261\\'b9}"));
    EXPECT_EQ(u"ł!", Text("{\\rtf1\\uc2\\u322??!}"));
    EXPECT_EQ(u"ł?", Text("{\\rtf1\\uc0\\u322?}"));
    EXPECT_EQ(u"\uF020x", Text("{\\rtf1\\u-4064 ?x}"));                 // negative: +65536
    EXPECT_EQ(u"\U0001F600", Text("{\\rtf1\\u-10179?\\u-8704?}"));        // surrogate pair
    // \uc is part of the group state; a group's end stops the skipping.
    EXPECT_EQ(u"ab", Text("{\\rtf1{\\uc3 a}{\\u98 ?}}"));
    EXPECT_EQ(u"łx", Text("{\\rtf1{\\uc5\\u322}x}"));
}

TEST(RtfReader, DestinationsThatPrintNothingAreSkipped) {
    auto r = ReadRtf(
        "{\\rtf1{\\fonttbl{\\f0{\\*\\panose 02}Arial{\\*\\falt Helv};}}{\\colortbl;\\red1\\green2\\blue3;}"
        "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}{\\*\\generator G;}"
        "{\\*\\unknowndest {nested} text}{\\pict\\wmetafile8 0a0b\\bin4 }{}}}"
        "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}"
        "{\\header H}Body\\par}");
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(u"linkBody", r.doc.PlainText());
    EXPECT_EQ(u"Arial", r.doc.fonts.at(0));
}

TEST(RtfReader, CharacterAndParagraphFormat) {
    auto r = ReadRtf(
        "{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Tahoma;}}"
        "\\pard\\qc\\li720\\ri360\\fi-240\\sb120\\sa60\\tx1440\\b\\ul\\fs32 Title\\par"
        "\\pard\\qj\\plain plain {\\i\\f0 it}\\ulnone x\\par}");
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(2u, r.doc.paragraphs.size());
    const auto& p0 = r.doc.paragraphs[0];
    EXPECT_EQ(Align::Center, p0.format.align);
    EXPECT_EQ(720, p0.format.leftIndent);
    EXPECT_EQ(360, p0.format.rightIndent);
    EXPECT_EQ(-240, p0.format.firstIndent);
    EXPECT_EQ(120, p0.format.spaceBefore);
    EXPECT_EQ(60, p0.format.spaceAfter);
    EXPECT_EQ(std::vector<int>{1440}, p0.format.tabStops);
    ASSERT_EQ(1u, p0.runs.size());
    EXPECT_TRUE(p0.runs[0].format.bold);
    EXPECT_TRUE(p0.runs[0].format.underline);
    EXPECT_EQ(32, p0.runs[0].format.halfPoints);
    EXPECT_EQ(u"Tahoma", p0.runs[0].format.face);  // \deff1
    const auto& p1 = r.doc.paragraphs[1];
    EXPECT_EQ(Align::Justify, p1.format.align);
    EXPECT_EQ(0, p1.format.leftIndent);
    ASSERT_EQ(3u, p1.runs.size());
    EXPECT_EQ(u"plain ", p1.runs[0].text);
    EXPECT_FALSE(p1.runs[0].format.bold);
    EXPECT_EQ(24, p1.runs[0].format.halfPoints);
    EXPECT_TRUE(p1.runs[1].format.italic);
    EXPECT_EQ(u"Arial", p1.runs[1].format.face);
    EXPECT_FALSE(p1.runs[2].format.italic);  // the group's end restores
}

TEST(RtfReader, SpecialCharactersListTextAndHiddenText) {
    auto r = ReadRtf("{\\rtf1{\\pntext\\'b7\\tab}a\\tab b\\line c\\bullet\\endash\\emdash\\lquote\\rquote"
                     "\\ldblquote\\rdblquote\\~\\{\\}\\\\{\\v hidden}\\par}");
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(u"a\tb\nc•–—‘’“”\u00A0{}\\", r.doc.PlainText());
    EXPECT_EQ(u"·\ta\tb\nc•–—‘’“”\u00A0{}\\", r.doc.PlainText(true));
    EXPECT_TRUE(r.doc.paragraphs[0].runs[0].listText);
}

TEST(RtfReader, MalformedInputGivesResultOrError) {
    auto truncated = ReadRtf("{\\rtf1 Hello {\\b world");
    EXPECT_FALSE(truncated.ok);
    EXPECT_NE(std::string::npos, truncated.error.find("end of input")) << truncated.error;
    EXPECT_EQ(u"Hello world", truncated.doc.PlainText());  // what was read is kept

    EXPECT_FALSE(ReadRtf("{\\rtf1 x\\").ok);
    EXPECT_FALSE(ReadRtf("").ok);
    auto notRtf = ReadRtf("plain text");
    EXPECT_FALSE(notRtf.ok);
    EXPECT_NE(std::string::npos, notRtf.error.find("not an RTF")) << notRtf.error;

    std::string deep = "{\\rtf1 " + std::string(100000, '{') + "x" + std::string(100000, '}') + "}";
    auto d = ReadRtf(deep);
    EXPECT_FALSE(d.ok);
    EXPECT_NE(std::string::npos, d.error.find("nested")) << d.error;

    // Extra closing braces end the document; text after it is not read.
    EXPECT_EQ(u"in", Text("{\\rtf1 in}}}out"));
    // Huge numbers are clamped, not overflowed.
    auto big = ReadRtf("{\\rtf1\\fs99999999999999999999\\li-9999999999 x\\par}");
    ASSERT_EQ(1u, big.doc.paragraphs.size());
    EXPECT_EQ(3276, big.doc.paragraphs[0].runs[0].format.halfPoints);
    EXPECT_EQ(-31680, big.doc.paragraphs[0].format.leftIndent);
    // A bad hex escape and a \bin longer than the input.
    EXPECT_EQ(u"azb", Text("{\\rtf1 a\\'zb}"));
    EXPECT_EQ(u"x", ReadRtf("{\\rtf1 x\\bin999999 }").doc.PlainText());
}

TEST(RtfReader, LimitsHold) {
    report::RtfLimits small;
    small.maxInput = 10;
    auto r = ReadRtf("{\\rtf1 more than ten bytes}", small);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.doc.paragraphs.empty());
    small = {};
    small.maxDepth = 3;
    EXPECT_TRUE(ReadRtf("{\\rtf1{{x}}}", small).ok);
    EXPECT_FALSE(ReadRtf("{\\rtf1{{{x}}}}", small).ok);
}
