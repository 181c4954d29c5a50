// The welcome page, created for real and driven through messages.
#include <gtest/gtest.h>

#include "tests/support/page_texts.h"
#include "tests/support/window_test.h"
#include "ui/display.h"
#include "wizard/witaj.h"

using namespace testing_support;

namespace {

class WelcomePage : public ::testing::Test {
protected:
    void SetUp() override { page.Create(); }
    // The layout table at 96 DPI and scaled to 144.
    std::vector<Place> Layout() {
        const HWND form = page.hwnd(), panel = page.Panel1.hwnd();
        return {
            {page.Image1.hwnd(), form, {0, 0, 164, 302}, {0, 0, 246, 453}},
            {panel, form, {0, 302, 511, 356}, {0, 453, 767, 534}},
            {page.Button2.hwnd(), panel, {246, 18, 341, 43}, {369, 27, 512, 65}},
            {page.Button1.hwnd(), panel, {373, 18, 468, 43}, {560, 27, 703, 65}},
            {page.Label1.hwnd(), form, {183, 26}, {275, 39}, true},
            {page.Label9.hwnd(), form, {174, 237}, {261, 356}, true},
        };
    }
    Twitaj_win page;
    MessageScript messages;
};

TEST_F(WelcomePage, WindowHasItsCaptionSizeAndControls) {
    EXPECT_EQ(kWelcomeCaption, TextOf(page.hwnd()));
    SIZE client = ClientSize(page.hwnd());
    EXPECT_EQ(511, client.cx);
    EXPECT_EQ(356, client.cy);
    EXPECT_EQ(0, GetWindowLongPtrW(page.hwnd(), GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongPtrW(page.hwnd(), GWL_STYLE) & WS_SYSMENU);
    ExpectPlaces(Layout(), 96);
    for (const auto& [id, text] : kWelcomeTexts) EXPECT_EQ(text, TextOf(page.Item(id))) << id;
}

TEST_F(WelcomePage, LabelsReadTopToBottomInTheirFonts) {
    // The texts: WindowHasItsCaptionSizeAndControls.
    struct Expect {
        ui::Label* label;
        int left, top, height;
    } expect[] = {
        {&page.Label1, 183, 26, 21}, {&page.Label2, 259, 57, 21},  {&page.Label4, 174, 122, 13},
        {&page.Label3, 174, 139, 13}, {&page.Label6, 174, 171, 13}, {&page.Label5, 174, 188, 13},
        {&page.Label7, 174, 221, 13}, {&page.Label9, 174, 237, 13},
    };
    int previousTop = -1;
    for (const Expect& e : expect) {
        SCOPED_TRACE(testing::Message() << "label at " << e.left << "," << e.top);
        RECT r = RectIn(e.label->hwnd());
        EXPECT_EQ(e.left, r.left);
        EXPECT_EQ(e.top, r.top);
        EXPECT_GT(r.top, previousTop);
        previousTop = r.top;
        EXPECT_EQ(e.height, FontCharHeight(e.label->hwnd()));
        EXPECT_EQ(L"Tahoma", FontFace(e.label->hwnd()));
        // Sized to the text: never clipped, never padded by more than a few pixels.
        EXPECT_GT(r.right - r.left, 0);
        EXPECT_LT(r.bottom - r.top, e.height + 10);
    }
    EXPECT_EQ(EASTEUROPE_CHARSET, FontOf(page.Label1.hwnd()).lfCharSet);
    EXPECT_EQ(11, FontCharHeight(page.Button1.hwnd()));
}

// Run in a prefix at 144 DPI and in one with a black high-contrast scheme:
// ctest gives these suites prefixes of their own.
class WelcomePageAt144Dpi : public WelcomePage {};
class WelcomePageInHighContrast : public WelcomePage {};

TEST_F(WelcomePageAt144Dpi, LaysTheTableOutScaled) {
    ASSERT_EQ(144, ui::WindowDpi(page.hwnd())) << "runs in a prefix at 144 DPI";
    const SIZE client = ClientSize(page.hwnd());
    EXPECT_EQ(767, client.cx);
    EXPECT_EQ(534, client.cy);
    ExpectPlaces(Layout(), 144);
    EXPECT_EQ(31, FontCharHeight(page.Label1.hwnd()));
    EXPECT_EQ(19, FontCharHeight(page.Label9.hwnd()));
    EXPECT_LE(RectIn(page.Label9.hwnd()).right, client.cx) << "the longest line still fits the page";
    EXPECT_EQ(16, FontCharHeight(page.Button1.hwnd()));
}

TEST_F(WelcomePageInHighContrast, EveryLabelReadsClearly) {
    ExpectLabelsReadableInHighContrast(page.hwnd());
}

TEST_F(WelcomePage, FocusStartsOnExitAndNoButtonIsDefault) {
    EXPECT_EQ(page.Button1.hwnd(), GetFocus());
    // Enter on the focused exit button asks the exit question; it never presses Next.
    messages.Answer(IDNO);
    PressKey(page.hwnd(), VK_RETURN);
    ASSERT_EQ(1u, messages.Count());
    EXPECT_EQ(0, page.ModalResult());
}

TEST_F(WelcomePage, NextEndsWithNext) {
    SendMessageW(page.Button2.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(ui::kNext, page.ModalResult());
    EXPECT_EQ(0u, messages.Count());
}

// The modal loop itself: a timer presses a button while ShowModal runs.
struct ModalPress {
    static inline ui::Form* form = nullptr;
    static inline int id = 0;
    static void CALLBACK Fire(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        HWND button = form->Item(id);
        if (button) SendMessageW(button, BM_CLICK, 0, 0);
    }
};

TEST(WelcomePageModal, ShowModalReturnsTheResultOfThePressedButton) {
    MessageScript messages;
    messages.Answer(IDYES);
    const std::pair<int, int> cases[] = {{Twitaj_win::kButton2, ui::kNext},
                                         {Twitaj_win::kButton1, ui::kCancel}};
    for (auto [id, result] : cases) {
        Twitaj_win page;
        ModalPress::form = &page;
        ModalPress::id = id;
        UINT_PTR timer = SetTimer(nullptr, 0, 50, ModalPress::Fire);
        // Should the press go astray, a second timer closes the page after a while.
        UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR t, DWORD) {
            KillTimer(nullptr, t);
            PostMessageW(ModalPress::form->hwnd(), WM_CLOSE, 0, 0);
        });
        EXPECT_EQ(result, page.ShowModal());
        EXPECT_EQ(nullptr, page.hwnd());
        KillTimer(nullptr, timer);
        KillTimer(nullptr, guard);
    }
}

}  // namespace
