// The layout rules as plain functions of a table: placement, creation order,
// styles.
#include <gtest/gtest.h>

#include <vector>

#include "ui/layout_rules.h"

using namespace ui;

namespace {

constexpr FontSpec kFormFont{L"Tahoma", 11};

// Each control only by the fields a rule reads.
constexpr ControlSpec kDocked[] = {
    {.id = 100, .kind = Kind::Panel, .w = 30, .h = 20, .focusOrder = 0, .dock = Dock::Fill},
    {.id = 101, .kind = Kind::Panel, .w = 40, .h = 10, .focusOrder = 1, .dock = Dock::Left},
    {.id = 102, .kind = Kind::Panel, .w = 50, .h = 15, .focusOrder = 2, .dock = Dock::Bottom},
    {.id = 103, .kind = Kind::Panel, .w = 60, .h = 25, .focusOrder = 3, .dock = Dock::Top},
    {.id = 104, .kind = Kind::Label, .x = 7, .y = 8, .w = 9, .h = 10},
    {.id = 110, .kind = Kind::Button, .parent = 100, .x = 1, .y = 2, .w = 3, .h = 4, .focusOrder = 1},
    {.id = 111, .kind = Kind::Label, .parent = 100, .w = 5, .h = 5, .dock = Dock::Bottom},
    {.id = 112, .kind = Kind::Edit, .parent = 100, .x = 5, .y = 6, .w = 7, .h = 8, .focusOrder = 0},
    {.id = 120, .kind = Kind::Button, .parent = 103, .x = 2, .y = 2, .w = 2, .h = 2, .focusOrder = 0},
};
const FormSpec kForm = MakeForm(L"test", 200, 100, Border::Dialog, kFaceColor, kFormFont, kDocked);

struct Want {
    int id;
    RECT rect;
};

void ExpectPlaced(const std::vector<Placed>& got, const std::vector<Want>& want) {
    ASSERT_EQ(want.size(), got.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "position " << i);
        EXPECT_EQ(want[i].id, got[i].spec->id);
        EXPECT_EQ(want[i].rect.left, got[i].rect.left);
        EXPECT_EQ(want[i].rect.top, got[i].rect.top);
        EXPECT_EQ(want[i].rect.right, got[i].rect.right);
        EXPECT_EQ(want[i].rect.bottom, got[i].rect.bottom);
    }
}

TEST(LayoutRules, DockedControlsTakeTheEdgesTopBottomLeftThenFill) {
    // Table order is fill, left, bottom, top: the edges still go top first.
    ExpectPlaced(PlaceChildren(kForm, 0, RECT{0, 0, 200, 100}),
                 {{100, {40, 25, 200, 85}},
                  {101, {0, 25, 40, 85}},
                  {102, {0, 85, 200, 100}},
                  {103, {0, 0, 200, 25}},
                  {104, {7, 8, 16, 18}}});  // not docked: where the table puts it, and last (no focus order)
}

TEST(LayoutRules, ChildrenComeInFocusOrderWithinTheirPanelsSize) {
    ExpectPlaced(PlaceChildren(kForm, 100, RECT{0, 0, 160, 60}),
                 {{112, {5, 6, 12, 14}}, {110, {1, 2, 4, 6}}, {111, {0, 55, 160, 60}}});
}

TEST(LayoutRules, ParentsAreMadeBeforeTheirChildrenPanelByPanel) {
    std::vector<Placed> all = PlaceControls(kForm, RECT{0, 0, 200, 100});
    std::vector<int> order;
    for (const Placed& p : all) order.push_back(p.spec->id);
    EXPECT_EQ((std::vector<int>{100, 101, 102, 103, 104, 112, 110, 111, 120}), order);
    // The fill panel is 160 x 60: its bottom-docked label spans that width.
    EXPECT_EQ(160, all[7].rect.right);
    EXPECT_EQ(55, all[7].rect.top);
}

TEST(LayoutRules, ATableScalesWithTheDpiPositionsAndSizesEachToTheNearestPixel) {
    struct Case {
        int dpi;
        SIZE client;
        std::vector<Want> placed;
        int bevel;
    } cases[] = {
        {120, {250, 125},
         {{100, {50, 31, 250, 106}}, {101, {0, 31, 50, 106}}, {102, {0, 106, 250, 125}},
          {103, {0, 0, 250, 31}}, {104, {9, 10, 20, 23}}}, 1},
        {144, {300, 150},
         {{100, {60, 38, 300, 127}}, {101, {0, 38, 60, 127}}, {102, {0, 127, 300, 150}},
          {103, {0, 0, 300, 38}}, {104, {11, 12, 25, 27}}}, 2},
        {192, {400, 200},
         {{100, {80, 50, 400, 170}}, {101, {0, 50, 80, 170}}, {102, {0, 170, 400, 200}},
          {103, {0, 0, 400, 50}}, {104, {14, 16, 32, 36}}}, 2},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.dpi << " DPI");
        const SIZE client = ClientSize(kForm, k.dpi);
        EXPECT_EQ(k.client.cx, client.cx);
        EXPECT_EQ(k.client.cy, client.cy);
        ExpectPlaced(PlaceChildren(kForm, 0, RECT{0, 0, client.cx, client.cy}, k.dpi), k.placed);
        EXPECT_EQ(k.bevel, BevelWidth(k.dpi));
    }
    // A panel's children scale within the scaled panel: at 144 the fill panel
    // is 240 x 89 and its bottom-docked label 5 * 1.5 = 8 high.
    std::vector<Placed> all = PlaceControls(kForm, RECT{0, 0, 300, 150}, 144);
    ASSERT_EQ(9u, all.size());
    EXPECT_EQ(111, all[7].spec->id);
    EXPECT_EQ(81, all[7].rect.top);
    EXPECT_EQ(89, all[7].rect.bottom);
    EXPECT_EQ(240, all[7].rect.right);
    EXPECT_EQ(1, BevelWidth(96));
}

TEST(LayoutRules, FontsScaleWithTheDpiAHalfPixelDown) {
    struct Case {
        int height, dpi, want;
    } cases[] = {
        {11, 96, 11},  {13, 96, 13},  {21, 96, 21},  {11, 120, 14}, {13, 120, 16}, {21, 120, 26},
        {11, 144, 16}, {13, 144, 19}, {19, 144, 28}, {21, 144, 31}, {11, 192, 22}, {13, 192, 26},
    };
    for (const Case& k : cases) {
        const FontSpec f = ScaledFont(FontSpec{L"Tahoma", k.height, true, true, EASTEUROPE_CHARSET}, k.dpi);
        EXPECT_EQ(k.want, f.height) << k.height << " px at " << k.dpi << " DPI";
        EXPECT_STREQ(L"Tahoma", f.face);
        EXPECT_TRUE(f.bold && f.italic && f.charset == EASTEUROPE_CHARSET) << "only the height changes";
    }
}

TEST(LayoutRules, TextTakesTheSystemColourOfItsBackgroundAndAFixedOneYieldsToHighContrast) {
    const ControlSpec plain{.id = 1, .kind = Kind::Label};
    const ControlSpec green{.id = 2, .kind = Kind::Label, .color = RGB(0, 128, 0)};
    const ControlSpec grey{.id = 3, .kind = Kind::Label, .color = SysColor(COLOR_GRAYTEXT)};
    EXPECT_EQ(SysColor(COLOR_BTNTEXT), TextColorOf(plain, kFaceColor, false));
    EXPECT_EQ(SysColor(COLOR_WINDOWTEXT), TextColorOf(plain, kWindowColor, false));
    EXPECT_EQ(RGB(0, 128, 0), TextColorOf(green, kWindowColor, false));
    EXPECT_EQ(SysColor(COLOR_WINDOWTEXT), TextColorOf(green, kWindowColor, true));
    EXPECT_EQ(SysColor(COLOR_BTNTEXT), TextColorOf(green, kFaceColor, true));
    EXPECT_EQ(SysColor(COLOR_GRAYTEXT), TextColorOf(grey, kFaceColor, true)) << "a system colour already follows the theme";
}

TEST(LayoutRules, TabStopsAreFocusableControlsWithAFocusOrder) {
    const ControlSpec button{.id = 1, .kind = Kind::Button, .focusOrder = 0};
    const ControlSpec unordered{.id = 2, .kind = Kind::Button};
    const ControlSpec skipped{.id = 3, .kind = Kind::RichEdit, .focusOrder = 0, .flags = kNoTabStop};
    const ControlSpec label{.id = 4, .kind = Kind::Label, .focusOrder = 0};
    const ControlSpec edit{.id = 5, .kind = Kind::Edit, .focusOrder = 2};
    EXPECT_TRUE(StyleOf(button, false).style & WS_TABSTOP);
    EXPECT_FALSE(StyleOf(unordered, false).style & WS_TABSTOP);
    EXPECT_FALSE(StyleOf(skipped, false).style & WS_TABSTOP);
    EXPECT_FALSE(StyleOf(label, false).style & WS_TABSTOP);
    EXPECT_TRUE(StyleOf(edit, false).style & WS_TABSTOP);
    for (const ControlSpec* c : {&button, &unordered, &skipped, &label, &edit})
        EXPECT_EQ(DWORD(WS_CHILD | WS_VISIBLE), StyleOf(*c, false).style & (WS_CHILD | WS_VISIBLE));
}

TEST(LayoutRules, ARadioAfterARadioJoinsItsGroup) {
    const ControlSpec radio{.id = 1, .kind = Kind::Radio, .focusOrder = 0};
    const ControlSpec button{.id = 2, .kind = Kind::Button, .focusOrder = 0};
    EXPECT_TRUE(StyleOf(radio, false).style & WS_GROUP) << "the first radio starts a group";
    EXPECT_FALSE(StyleOf(radio, true).style & WS_GROUP);
    EXPECT_TRUE(StyleOf(button, true).style & WS_GROUP) << "anything else starts one";
    EXPECT_EQ(DWORD(BS_AUTORADIOBUTTON), StyleOf(radio, false).style & BS_TYPEMASK);
}

TEST(LayoutRules, ClassesAndStylesOfEachKind) {
    struct Case {
        ControlSpec c;
        const wchar_t* cls;
        DWORD style, exStyle;
    } cases[] = {
        {{.id = 1, .kind = Kind::Label}, L"STATIC", SS_LEFT | SS_NOPREFIX, 0},
        {{.id = 2, .kind = Kind::Label, .flags = kCenter}, L"STATIC", SS_CENTER | SS_NOPREFIX, 0},
        {{.id = 3, .kind = Kind::Panel}, kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},
        {{.id = 4, .kind = Kind::PictureButton}, L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, 0},
        {{.id = 5, .kind = Kind::Edit}, L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE},
        {{.id = 6, .kind = Kind::Picture}, L"STATIC", SS_OWNERDRAW, 0},
        {{.id = 7, .kind = Kind::RichEdit}, nullptr,
         ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE},
        {{.id = 8, .kind = Kind::Button, .flags = kDisabled}, L"BUTTON", BS_PUSHBUTTON | WS_DISABLED, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "control " << k.c.id);
        ControlStyle s = StyleOf(k.c, false);
        if (k.cls)
            EXPECT_STREQ(k.cls, s.cls);
        else
            EXPECT_EQ(nullptr, s.cls) << "the rich-text view's class comes with its DLL";
        EXPECT_EQ(k.style | WS_CHILD | WS_VISIBLE | WS_GROUP, s.style);
        EXPECT_EQ(k.exStyle, s.exStyle);
    }
}

TEST(LayoutRules, TheFormsFrameAndFonts) {
    EXPECT_TRUE(FormStyle(Border::Dialog) & DS_MODALFRAME);
    EXPECT_FALSE(FormStyle(Border::Single) & DS_MODALFRAME);
    EXPECT_EQ(DWORD(WS_CAPTION), FormStyle(Border::Single) & WS_CAPTION);
    EXPECT_FALSE(FormStyle(Border::Single) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(FormStyle(Border::Single) & WS_SYSMENU);
    const ControlSpec own{.id = 1, .kind = Kind::Label, .font = {L"Arial", 19, false, true}};
    const ControlSpec plain{.id = 2, .kind = Kind::Label, .font = {nullptr, 19}};
    EXPECT_STREQ(L"Arial", FontOf(own, kForm).face);
    EXPECT_EQ(&kForm.font, &FontOf(plain, kForm)) << "no face: the form's font, size and all";
}

}  // namespace
