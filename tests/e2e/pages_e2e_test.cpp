// The welcome and licence pages driven from outside, on the real installer.
#include <gtest/gtest.h>

#include "tests/e2e/installer.h"

namespace e2e {
namespace {

using W = Twitaj_win;
using L = TLic_win;

std::wstring Text(HWND page, int id) { return ReadText(Control(page, id)); }

bool Enabled(HWND page, int id) { return IsWindowEnabled(Control(page, id)) != FALSE; }

SIZE ClientSize(HWND w) {
    RECT r{};
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

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
    EXPECT_EQ(L"Witamy w instalatorze programu", Text(w, W::kLabel1));
    EXPECT_EQ(L"Velandra", Text(w, W::kLabel2));
    EXPECT_EQ(L"na tym komputerze", Text(w, W::kLabel3));
    EXPECT_EQ(L"Ten program zainstaluje aplikację Velandra", Text(w, W::kLabel4));
    EXPECT_EQ(L"wszystkie działające programy.", Text(w, W::kLabel5));
    EXPECT_EQ(L"Zaleca się, aby przed rozpoczęciem instalacji, zamknąć", Text(w, W::kLabel6));
    EXPECT_EQ(L"Jeśli nie chcesz instalować programu, kliknij 'Zakończ',", Text(w, W::kLabel7));
    EXPECT_EQ(L" w przeciwnym przypadku kliknij 'Dalej', aby kontynuować", Text(w, W::kLabel9));
    EXPECT_EQ(L"Zakończ", Text(w, W::kButton1));
    EXPECT_EQ(L"Dalej >", Text(w, W::kButton2));
    EXPECT_TRUE(Enabled(w, W::kButton2));
    EXPECT_EQ(Control(w, W::kButton1), FocusedControl(w));
    // The buttons are found by caption too: what a person would look for.
    EXPECT_EQ(Control(w, W::kButton2), FindControlByText(w, L"Button", L"Dalej >"));
    CloseBox(w);
    EXPECT_EQ(0u, p.WaitExit());
}

TEST(LicencePageE2E, ShowsItsTextsAndTheAgreement) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    EXPECT_EQ(504, ClientSize(l).cx);
    EXPECT_EQ(356, ClientSize(l).cy);
    EXPECT_EQ(L"Licencja", Text(l, L::kLabel1));
    EXPECT_EQ(L"Proszę przeczytać umowę licencyjną", Text(l, L::kLabel2));
    EXPECT_EQ(L"Proszę przeczytać umowę licencyjną i wybrać 'Zgadzam się' jeśli zgadzasz się",
              Text(l, L::kLabel3));
    EXPECT_EQ(L"z jej postanowieniami.", Text(l, L::kLabel4));
    EXPECT_EQ(L"Zgadzam się i akceptuję postanowienia umowy licencyjnej", Text(l, L::kRadioButton1));
    EXPECT_EQ(L"Nie zgadzam się", Text(l, L::kRadioButton2));
    EXPECT_EQ(L"Drukuj tekst umowy", Text(l, L::kButton4));
    EXPECT_EQ(L"< Wstecz", Text(l, L::kButton3));
    EXPECT_EQ(L"Dalej >", Text(l, L::kButton2));
    EXPECT_EQ(L"Zakończ", Text(l, L::kButton1));
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

TEST(ExitE2E, ExitOnWelcomeConfirmedEndsWithoutTheLicence) {
    Process p = LaunchInstaller();
    Click(p.WaitWindow(kWelcomeCaption), W::kButton1);
    ExpectExitQuestion(p.AnswerMessageBox(IDYES));
    ExpectEndsQuietly(p, kLicenceCaption);
}

TEST(ExitE2E, ExitOnLicenceConfirmedEndsWithoutTheInstallWindow) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    Click(l, L::kRadioButton1);  // even with Next possible
    Click(l, L::kButton1);
    ExpectExitQuestion(p.AnswerMessageBox(IDYES));
    ExpectEndsQuietly(p, kInstallerCaption);
}

TEST(ExitE2E, EscAsksAndNoKeepsTheWelcomePage) {
    Process p = LaunchInstaller();
    HWND w = p.WaitWindow(kWelcomeCaption);
    PressKey(w, VK_ESCAPE);
    ExpectExitQuestion(p.AnswerMessageBox(IDNO));
    EXPECT_EQ(w, p.WaitWindow(kWelcomeCaption)) << "the same page, still open";
    EXPECT_TRUE(Enabled(w, W::kButton2));
    PressKey(w, VK_ESCAPE);
    ExpectExitQuestion(p.AnswerMessageBox(IDYES));
    ExpectEndsQuietly(p, kLicenceCaption);
}

TEST(ExitE2E, EscAsksAndNoKeepsTheLicencePageAsItWas) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    Click(l, L::kRadioButton1);
    ASSERT_TRUE(WaitUntil([&] { return Enabled(l, L::kButton2); }));
    PressKey(l, VK_ESCAPE);
    ExpectExitQuestion(p.AnswerMessageBox(IDNO));
    EXPECT_EQ(l, p.WaitWindow(kLicenceCaption));
    EXPECT_TRUE(IsChecked(Control(l, L::kRadioButton1)));
    EXPECT_TRUE(Enabled(l, L::kButton2));
    PressKey(l, VK_ESCAPE);
    ExpectExitQuestion(p.AnswerMessageBox(IDYES));
    ExpectEndsQuietly(p, kInstallerCaption);
}

TEST(ExitE2E, EnterOrSpaceRightAfterTheLicenceOpensAsksToExit) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    for (UINT key : {VK_SPACE, VK_RETURN}) {
        SCOPED_TRACE(key == VK_SPACE ? "Space" : "Enter");
        ASSERT_EQ(Control(l, L::kButton1), FocusedControl(l));
        TypeKey(l, key);
        ExpectExitQuestion(p.AnswerMessageBox(IDNO));
        EXPECT_EQ(l, p.WaitWindow(kLicenceCaption));
    }
    CloseBox(l);
    EXPECT_EQ(0u, p.WaitExit());
}

TEST(ExitE2E, CloseBoxOnWelcomeEndsWithoutQuestion) {
    Process p = LaunchInstaller();
    CloseBox(p.WaitWindow(kWelcomeCaption));
    ExpectEndsQuietly(p, kLicenceCaption);
}

TEST(ExitE2E, CloseBoxOnLicenceEndsWithoutQuestion) {
    Process p = LaunchInstaller();
    HWND l = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    Click(l, L::kRadioButton1);
    CloseBox(l);
    ExpectEndsQuietly(p, kInstallerCaption);
}

}  // namespace
}  // namespace e2e
