// A form busy with work on its own thread: what it answers meanwhile, and its
// progress bar over work of any size.
#include <gtest/gtest.h>
#include <windows.h>


#include "ui/busy.h"
#include "ui/form.h"

namespace {

enum { kBar = 100 };
constexpr ui::ControlSpec kControls[] = {
    {.id = kBar, .kind = ui::Kind::Progress, .x = 10, .y = 10, .w = 200, .h = 17, .flags = ui::kHidden}};
const ui::FormSpec kSpec =
    ui::MakeForm(L"busy", 300, 100, ui::Border::Single, ui::kFaceColor, {L"Tahoma", 13}, kControls);

class Worker : public ui::Form {
public:
    Worker() : ui::Form(kSpec) { Bind(bar, kBar); }
    ui::ProgressBar bar;
};

class BusyForm : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.Create()); }
    int Position() const { return form.bar.Position(); }
    Worker form;
};

TEST_F(BusyForm, ItTakesNoInputHoldsAShutdownBackAndClosesNotButAnswersTheRest) {
    {
        ui::BusyForm busy(form, form.bar, L"Trwa praca.");
        EXPECT_TRUE(IsWindowVisible(form.bar.hwnd()));
        PostMessageW(form.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
        PostMessageW(form.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageW(form.hwnd(), WM_USER, 0, 0);
        EXPECT_EQ(FALSE, SendMessageW(form.hwnd(), WM_QUERYENDSESSION, 0, 0)) << "the session waits";
        busy.Expect(10);
        busy.Progress(10);  // the end is shown at once, and the form kept alive
        MSG msg;
        EXPECT_FALSE(PeekMessageW(&msg, form.hwnd(), 0, 0, PM_NOREMOVE)) << "nothing left queued";
        EXPECT_EQ(0, form.ModalResult()) << "neither close ended it";
    }
    EXPECT_FALSE(IsWindowVisible(form.bar.hwnd()));
    EXPECT_EQ(ui::ProgressBar::kRange, Position()) << "the bar keeps its end";
    EXPECT_NE(FALSE, SendMessageW(form.hwnd(), WM_QUERYENDSESSION, 0, 0)) << "no longer held back";
}

TEST_F(BusyForm, TheBarTakesWorkBeyondFourGigabytesAndNeverGoesBack) {
    ui::BusyForm busy(form, form.bar, L"Trwa praca.");
    EXPECT_EQ(0, Position());
    const unsigned long long gib = 1ull << 30;
    busy.Expect(6 * gib);
    busy.Progress(3 * gib);
    Sleep(60);
    busy.Progress(3 * gib);
    EXPECT_EQ(ui::ProgressBar::kRange / 2, Position());
    Sleep(60);
    busy.Progress(gib);
    EXPECT_EQ(ui::ProgressBar::kRange / 2, Position()) << "the bar never goes back";
    busy.Progress(6 * gib);
    EXPECT_EQ(ui::ProgressBar::kRange, Position());
    busy.Expect(0);  // nothing to do is done at once
    EXPECT_EQ(ui::ProgressBar::kRange, Position());
}

}  // namespace
