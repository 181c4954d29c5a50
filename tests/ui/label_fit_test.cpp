// Labels sized to their text, real windows in-process.
#include <gtest/gtest.h>

#include <vector>

#include "base/handles.h"
#include "tests/support/window_test.h"
#include "ui/label_fit.h"

using namespace testing_support;

namespace {

constexpr wchar_t kText[] = L"Jeśli nie chcesz instalować programu, kliknij 'Zakończ',";

class LabelFit : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 600, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        for (int height = 20; height >= 16; --height) {
            LOGFONTW lf{};
            lf.lfHeight = -height;
            lstrcpyW(lf.lfFaceName, L"Tahoma");
            fonts.emplace_back(CreateFontIndirectW(&lf));
        }
    }
    void TearDown() override { DestroyWindow(parent); }

    HWND LabelAt(int left) {
        return CreateWindowExW(0, L"STATIC", kText, WS_CHILD | WS_VISIBLE, left, 10, 5, 5, parent, nullptr, nullptr,
                               nullptr);
    }
    LONG WidthIn(int font) {
        base::WindowDC dc(parent);
        base::SelectIn sel(dc.get(), fonts[font].get());
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), kText, lstrlenW(kText), &size);
        return size.cx;
    }
    HFONT Fit(HWND label) {
        return ui::FitLabelToText(label, kText, [this](int smaller) { return fonts[smaller].get(); });
    }

    HWND parent = nullptr;
    std::vector<base::ScopedFont> fonts;  // Tahoma 20, 19 ... 16 px
};

TEST_F(LabelFit, TextThatFitsKeepsItsFontAndGetsItsWidth) {
    HWND label = LabelAt(10);
    EXPECT_EQ(fonts[0].get(), Fit(label));
    EXPECT_EQ(fonts[0].get(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    EXPECT_EQ(WidthIn(0), RectIn(label).right - RectIn(label).left);
}

TEST_F(LabelFit, TextRunningPastTheEdgeTakesTheLargestSmallerFontThatFits) {
    ASSERT_GT(WidthIn(0), WidthIn(2)) << "a smaller font is narrower";
    // Room for the text one or two pixels smaller, not at its own size.
    HWND label = LabelAt(600 - WidthIn(2));
    const HFONT chosen = Fit(label);
    EXPECT_TRUE(chosen == fonts[1].get() || chosen == fonts[2].get());
    EXPECT_LE(RectIn(label).right, 600);
    if (chosen == fonts[2].get()) {
        EXPECT_GT(RectIn(label).left + WidthIn(1), 600) << "19 px did not fit";
    }
}

TEST_F(LabelFit, ShrinksByThreePixelsAtMostThenLetsTheEdgeCut) {
    HWND label = LabelAt(550);
    EXPECT_EQ(fonts[3].get(), Fit(label));
    EXPECT_EQ(WidthIn(3), RectIn(label).right - RectIn(label).left);
    // A font provider that has no smaller font keeps the label in its own.
    HWND fixed = LabelAt(550);
    EXPECT_EQ(fonts[0].get(),
              ui::FitLabelToText(fixed, kText, [this](int smaller) { return smaller ? nullptr : fonts[0].get(); }));
    EXPECT_EQ(WidthIn(0), RectIn(fixed).right - RectIn(fixed).left);
}

}  // namespace
