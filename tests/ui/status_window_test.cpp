// The status window of a long job, created for real and driven through
// messages, as a job drives it.
#include <gtest/gtest.h>

#include "tests/support/window_test.h"
#include "ui/display.h"
#include "ui/status_window.h"

using namespace testing_support;

namespace {

class StatusWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 400,
                                nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }
    static HWND TextLine(HWND status) { return FindWindowExW(status, nullptr, L"STATIC", nullptr); }
    static HWND CancelButton(HWND status) { return FindWindowExW(status, nullptr, L"BUTTON", L"Cancel"); }

    HWND owner = nullptr;
};

// The window's text line and button at 144 DPI: times 1.5.
void ExpectLaidOutAt144(HWND w) {
    HWND text = FindWindowExW(w, nullptr, L"STATIC", nullptr);
    ExpectRect(text, w, {15, 33, 375, 63});
    ExpectRect(FindWindowExW(w, nullptr, L"BUTTON", L"Cancel"), w, {135, 96, 255, 135});
    EXPECT_EQ(ui::MessageFont(144).lfHeight, FontOf(text).lfHeight);
    EXPECT_LT(ui::MessageFont(144).lfHeight, ui::MessageFont(96).lfHeight) << "a larger font";
}

// Run in a prefix at 144 DPI: ctest gives this suite a prefix of its own.
class StatusWindowAt144Dpi : public StatusWindowTest {};

TEST_F(StatusWindowAt144Dpi, ScalesItsSizeTextAndButton) {
    ASSERT_EQ(144, ui::WindowDpi(owner)) << "runs in a prefix at 144 DPI";
    ui::StatusWindow status(owner, L"Report Status", L"Generating page %p");
    status.ShowPage(1);
    ASSERT_NE(nullptr, status.hwnd());
    EXPECT_EQ(390, ClientSize(status.hwnd()).cx);
    EXPECT_EQ(165, ClientSize(status.hwnd()).cy);
    ExpectLaidOutAt144(status.hwnd());
    EXPECT_FALSE(status.Finish());
}

TEST_F(StatusWindowTest, ADpiChangeLaysItOutAgainWhereTheSystemSuggests) {
    ui::StatusWindow status(owner, L"Report Status", L"Generating page %p");
    status.ShowPage(1);
    ASSERT_NE(nullptr, status.hwnd());
    RECT suggested{30, 40, 300, 300};
    SendMessageW(status.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(status.hwnd(), &frame);
    EXPECT_EQ(30, frame.left);
    EXPECT_EQ(40, frame.top);
    EXPECT_GT(frame.right - frame.left, 390) << "the frame holds the scaled client area";
    ExpectLaidOutAt144(status.hwnd());
    EXPECT_EQ(L"Generating page 1", TextOf(FindWindowExW(status.hwnd(), nullptr, L"STATIC", nullptr)));
    EXPECT_FALSE(status.Finish());
}

TEST_F(StatusWindowTest, OpensWithTheFirstPageCentredOnItsDisabledOwner) {
    ui::StatusWindow status(owner, L"Report Status", L"Generating page %p");
    EXPECT_EQ(nullptr, status.hwnd()) << "nothing shows before the first page";
    EXPECT_TRUE(IsWindowEnabled(owner));

    EXPECT_FALSE(status.ShowPage(1));
    HWND w = FindOwnWindow(L"Report Status");
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(status.hwnd(), w);
    EXPECT_EQ(owner, GetWindow(w, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(L"Generating page 1", TextOf(TextLine(w)));
    EXPECT_EQ(CancelButton(w), GetFocus());
    RECT o, r;
    GetWindowRect(owner, &o);
    GetWindowRect(w, &r);
    EXPECT_NEAR((o.left + o.right) / 2, (r.left + r.right) / 2, 2);
    EXPECT_NEAR((o.top + o.bottom) / 2, (r.top + r.bottom) / 2, 2);
    EXPECT_EQ(260, ClientSize(w).cx);
    EXPECT_EQ(110, ClientSize(w).cy);

    EXPECT_FALSE(status.ShowPage(12));
    EXPECT_EQ(w, status.hwnd()) << "the same window goes on";
    EXPECT_EQ(L"Generating page 12", TextOf(TextLine(w)));

    EXPECT_FALSE(status.Finish());
    EXPECT_EQ(nullptr, status.hwnd());
    EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(StatusWindowTest, CancelAndTheCloseBoxBothCancel) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        ui::StatusWindow status(owner, L"Report Status", L"Generating page %p");
        ASSERT_FALSE(status.ShowPage(1));
        if (closeBox)
            PostMessageW(status.hwnd(), WM_CLOSE, 0, 0);
        else
            PostMessageW(CancelButton(status.hwnd()), BM_CLICK, 0, 0);
        EXPECT_FALSE(status.Cancelled()) << "nothing is seen before the messages are handled";
        EXPECT_TRUE(status.ShowPage(2));
        EXPECT_TRUE(status.Cancelled());
        EXPECT_TRUE(IsWindow(status.hwnd())) << "the window stays until the job lets it go";
        EXPECT_TRUE(status.Finish());
        EXPECT_TRUE(IsWindowEnabled(owner));
    }
}

TEST_F(StatusWindowTest, WithoutAnOwnerItIsCentredOnTheScreen) {
    ui::StatusWindow status(nullptr, L"Wydruk", L"strona %p z wielu");
    ASSERT_FALSE(status.ShowPage(3));
    EXPECT_EQ(L"Wydruk", TextOf(status.hwnd()));
    EXPECT_EQ(L"strona 3 z wielu", TextOf(TextLine(status.hwnd())));
    RECT r;
    GetWindowRect(status.hwnd(), &r);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (r.left + r.right) / 2, 2);
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (r.top + r.bottom) / 2, 2);
}

TEST_F(StatusWindowTest, TheApplicationEndingCancelsAndIsPassedOn) {
    ui::StatusWindow status(owner, L"Report Status", L"Generating page %p");
    ASSERT_FALSE(status.ShowPage(1));
    PostQuitMessage(7);
    EXPECT_TRUE(status.Pump());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message is posted again";
    EXPECT_EQ(7u, msg.wParam);
}

TEST_F(StatusWindowTest, ClosingBeforeAnyPageGivesTheOwnerNothingBack) {
    EnableWindow(owner, FALSE);
    {
        ui::StatusWindow status(owner, L"Report Status", L"Generating page %p");
        ASSERT_FALSE(status.ShowPage(1));
    }
    EXPECT_FALSE(IsWindowEnabled(owner)) << "an owner disabled before stays disabled";
    {
        ui::StatusWindow unused(owner, L"Report Status", L"Generating page %p");
    }
    EXPECT_EQ(nullptr, FindOwnWindow(L"Report Status"));
}

}  // namespace
