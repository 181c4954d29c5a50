// The welcome and licence pages driven from outside, on the real installer.
#include <gtest/gtest.h>

#include "tests/e2e/installer.h"
#include "tests/support/page_texts.h"

namespace e2e {
namespace {

using W = Twitaj_win;
using L = TLic_win;

std::wstring Text(HWND page, int id) { return TextOf(Control(page, id)); }

bool Enabled(HWND page, int id) { return IsWindowEnabled(Control(page, id)) != FALSE; }

// Waits for the end of the process while watching that no window of the given
// caption and no message box shows up meanwhile.
void ExpectEndsQuietly(Process& p, const std::wstring& unwanted) {
    std::wstring seen;
    WaitUntil([&] {
        if (!p.Running()) return true;
        if (p.FindMessageBox() || (!unwanted.empty() && p.FindWindowByCaption(unwanted)))
            seen = p.Describe();
        return !seen.empty();
    });
    EXPECT_EQ(L"", seen) << "a window showed up on the way out";
    EXPECT_EQ(0u, p.WaitExit());
}

void ExpectExitQuestion(const MessageBoxSeen& box) {
    EXPECT_EQ(kExitQuestion, box.text);
    EXPECT_EQ(kInstallerCaption, box.caption);
    EXPECT_EQ((std::vector<int>{IDYES, IDNO}), box.buttons);
    EXPECT_EQ(SystemButtonTexts({IDYES, IDNO}), box.buttonTexts);
}

TEST(WelcomePageE2E, ShowsItsTextsWithFocusOnExit) {
    Process p = LaunchInstaller();
    HWND w = p.WaitWindow(kWelcomeCaption);
    EXPECT_EQ(511, ClientSize(w).cx);
    EXPECT_EQ(356, ClientSize(w).cy);
    for (const auto& [id, text] : testing_support::kWelcomeTexts) EXPECT_EQ(text, Text(w, id)) << id;
    EXPECT_TRUE(Enabled(w, W::kButton2));
    EXPECT_EQ(Control(w, W::kButton1), FocusedControl(w));
    // The buttons are found by caption too: what a person would look for.
    EXPECT_EQ(Control(w, W::kButton2), FindControlByText(w, L"Button", kNextText));
    CloseBox(w);
    EXPECT_EQ(0u, p.WaitExit());
}

TEST(LicencePageE2E, ShowsItsTextsAndTheAgreement) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    EXPECT_EQ(504, ClientSize(l).cx);
    EXPECT_EQ(356, ClientSize(l).cy);
    for (const auto& [id, text] : testing_support::kLicenceTexts) EXPECT_EQ(text, Text(l, id)) << id;
    EXPECT_FALSE(Enabled(l, L::kButton2));
    EXPECT_EQ(Control(l, L::kButton1), FocusedControl(l));
    // The agreement itself, loaded from the program's own resource.
    std::wstring agreement = Text(l, L::kRichEdit1);
    EXPECT_NE(std::wstring::npos, agreement.find(L"UMOWA LICENCYJNA")) << Narrow(agreement.substr(0, 200));
    // Its Polish letters come from the font's character set, not the system's code page.
    EXPECT_NE(std::wstring::npos, agreement.find(L"UMOWA LICENCYJNA UŻYTKOWNIKA KOŃCOWEGO"))
        << Narrow(agreement.substr(0, 200));
    CloseBox(l);
    EXPECT_EQ(0u, p.WaitExit());
}

// The view is out of the focus order, yet the keyboard reads it: the page
// keys scroll it from wherever the focus is, and leave the focus there.
TEST(LicencePageE2E, PageKeysScrollTheAgreementWhereverTheFocusIs) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    HWND view = Control(l, L::kRichEdit1);
    auto firstLine = [view] { return static_cast<long>(SendMessageW(view, EM_GETFIRSTVISIBLELINE, 0, 0)); };
    // Each key waits for the view to move: the key takes its way through the input queue.
    auto press = [&](UINT key, UINT modifier, auto moved) {
        const long before = firstLine();
        TypeKey(l, key, modifier);
        EXPECT_TRUE(WaitUntil([&] { return moved(before, firstLine()); }, 3000))
            << "key " << key << ": line " << before << " to " << firstLine();
    };
    auto down = [](long before, long now) { return now > before; };
    auto up = [](long before, long now) { return now < before; };
    HWND exit = Control(l, L::kButton1);
    ASSERT_EQ(exit, FocusedControl(l));
    ASSERT_EQ(0, firstLine());
    press(VK_NEXT, 0, down);
    const long onePage = firstLine();
    press(VK_NEXT, 0, down);
    press(VK_PRIOR, 0, up);
    EXPECT_EQ(onePage, firstLine());
    press(VK_END, VK_CONTROL, down);
    EXPECT_EQ(exit, FocusedControl(l));

    // From a radio button too, which keeps its arrows.
    Click(l, L::kRadioButton1);
    HWND agree = Control(l, L::kRadioButton1);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(l) == agree; }));
    press(VK_HOME, VK_CONTROL, [](long, long now) { return now == 0; });
    press(VK_NEXT, 0, down);
    EXPECT_EQ(agree, FocusedControl(l));
    TypeKey(l, VK_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return IsChecked(Control(l, L::kRadioButton2)); }));
    EXPECT_EQ(Control(l, L::kRadioButton2), FocusedControl(l));
    EXPECT_FALSE(Enabled(l, L::kButton2));
    EXPECT_EQ(onePage, firstLine()) << "the arrow moved the choice, not the view";
    CloseBox(l);
    EXPECT_EQ(0u, p.WaitExit());
}

TEST(PageSequenceE2E, BackTwiceGivesFreshPagesThenNextLeavesTheLicence) {
    Process p = LaunchInstaller();
    HWND welcome = p.WaitWindow(kWelcomeCaption);
    HWND licence = GoToLicence(p, welcome);
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Click(licence, L::kRadioButton1);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(licence, L::kButton2); }));
        Click(licence, L::kButton3);
        p.WaitGone(licence);
        HWND again = p.WaitWindow(kWelcomeCaption);
        EXPECT_NE(welcome, again) << "Back shows a new welcome page";
        EXPECT_FALSE(IsWindow(welcome));
        welcome = again;
        HWND fresh = GoToLicence(p, welcome);
        EXPECT_NE(licence, fresh);
        licence = fresh;
        EXPECT_FALSE(IsChecked(Control(licence, L::kRadioButton1)));
        EXPECT_FALSE(IsChecked(Control(licence, L::kRadioButton2)));
        EXPECT_FALSE(Enabled(licence, L::kButton2));
    }
    AgreeAndNext(p, licence);
    EXPECT_EQ(nullptr, p.FindWindowByCaption(kWelcomeCaption));
    EXPECT_EQ(0u, FinishAfterLicence(p));
}

TEST(PageSequenceE2E, DisagreeingDisablesNextAgain) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    Click(l, L::kRadioButton1);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(l, L::kButton2); }));
    Click(l, L::kRadioButton2);
    EXPECT_TRUE(WaitUntil([&] { return !Enabled(l, L::kButton2); }));
    EXPECT_FALSE(IsChecked(Control(l, L::kRadioButton1)));
    EXPECT_TRUE(Enabled(l, L::kButton3));
    EXPECT_TRUE(Enabled(l, L::kButton4));
    EXPECT_TRUE(Enabled(l, L::kButton1));
    CloseBox(l);
    EXPECT_EQ(0u, p.WaitExit());
}

// Leaving from either page, by the exit button, Esc, the keys on the focused
// exit button or the close box: each case one line below.
struct ExitCase {
    bool onLicence;  // else on the welcome page
    bool agreeFirst;  // the licence agreed to first, so Next is possible
    enum Way { kExitButton, kEscNoThenYes, kKeysOnExitAnsweredNo, kCloseBox } way;
};

// Space and Enter on the focused exit button each ask, and No keeps the page.
void KeysOnExitAnsweredNo(Process& p, HWND page, const wchar_t* caption, int exitId) {
    for (UINT key : {VK_SPACE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_SPACE ? "Space" : "Enter");
        ASSERT_EQ(Control(page, exitId), FocusedControl(page));
        TypeKey(page, key);
        ExpectExitQuestion(p.AnswerMessageBox(IDNO));
        EXPECT_EQ(page, p.WaitWindow(caption));
    }
    CloseBox(page);
    EXPECT_EQ(0u, p.WaitExit());
}

void RunExitCase(const ExitCase& c) {
    Process p = LaunchInstaller();
    HWND page = p.WaitWindow(kWelcomeCaption);
    if (c.onLicence) page = GoToLicence(p, page);
    if (c.agreeFirst) {
        Click(page, L::kRadioButton1);
        ASSERT_TRUE(WaitUntil([&] { return Enabled(page, L::kButton2); }));
    }
    const wchar_t* caption = c.onLicence ? kLicenceCaption : kWelcomeCaption;
    const wchar_t* nextCaption = c.onLicence ? kInstallerCaption : kLicenceCaption;
    const int exitId = c.onLicence ? int(L::kButton1) : int(W::kButton1);
    const int nextId = c.onLicence ? int(L::kButton2) : int(W::kButton2);
    switch (c.way) {
    case ExitCase::kExitButton:
        Click(page, exitId);
        ExpectExitQuestion(p.AnswerMessageBox(IDYES));
        break;
    case ExitCase::kEscNoThenYes:
        PressKey(page, VK_ESCAPE);
        ExpectExitQuestion(p.AnswerMessageBox(IDNO));
        EXPECT_EQ(page, p.WaitWindow(caption)) << "the same page, still open";
        if (c.agreeFirst) {
            EXPECT_TRUE(IsChecked(Control(page, L::kRadioButton1)));
        }
        EXPECT_TRUE(Enabled(page, nextId));
        PressKey(page, VK_ESCAPE);
        ExpectExitQuestion(p.AnswerMessageBox(IDYES));
        break;
    case ExitCase::kKeysOnExitAnsweredNo:
        KeysOnExitAnsweredNo(p, page, caption, exitId);
        return;
    case ExitCase::kCloseBox:
        CloseBox(page);
        break;
    }
    ExpectEndsQuietly(p, nextCaption);
}

TEST(ExitE2E, ExitOnWelcomeConfirmedEndsWithoutTheLicence) { RunExitCase({false, false, ExitCase::kExitButton}); }
TEST(ExitE2E, ExitOnLicenceConfirmedEndsWithoutTheInstallWindow) { RunExitCase({true, true, ExitCase::kExitButton}); }
TEST(ExitE2E, EscAsksAndNoKeepsTheWelcomePage) { RunExitCase({false, false, ExitCase::kEscNoThenYes}); }
TEST(ExitE2E, EscAsksAndNoKeepsTheLicencePageAsItWas) { RunExitCase({true, true, ExitCase::kEscNoThenYes}); }
TEST(ExitE2E, EnterOrSpaceRightAfterTheLicenceOpensAsksToExit) {
    RunExitCase({true, false, ExitCase::kKeysOnExitAnsweredNo});
}
TEST(ExitE2E, CloseBoxOnWelcomeEndsWithoutQuestion) { RunExitCase({false, false, ExitCase::kCloseBox}); }
TEST(ExitE2E, CloseBoxOnLicenceEndsWithoutQuestion) { RunExitCase({true, true, ExitCase::kCloseBox}); }

}  // namespace
}  // namespace e2e
