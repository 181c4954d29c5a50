// The welcome and licence pages of the typical run.
#include "tests/e2e/installer.h"
#include "tools/walk/walk.h"

namespace e2e {

namespace {

using W = Twitaj_win;
using L = TLic_win;

// The exit question is asked and declined: the page stays.
void AskToExitAndStay(Walk& walk, const wchar_t* caption, int exitButton, const std::wstring& name) {
    HWND page = walk.process().WaitWindow(caption);
    Click(page, exitButton);
    HWND box = walk.process().WaitMessageBox();
    walk.ShotOver(page, box, name);
    walk.process().AnswerMessageBox(IDNO);
}

}  // namespace

std::vector<Step> PageSteps() {
    return {
        {L"witaj", [](Walk& w) { w.Shot(w.process().WaitWindow(kWelcomeCaption), L"witaj"); }},
        {L"witaj-pytanie",
         [](Walk& w) { AskToExitAndStay(w, kWelcomeCaption, W::kButton1, L"witaj-pytanie"); }},
        {L"licencja",
         [](Walk& w) {
             HWND welcome = w.process().WaitWindow(kWelcomeCaption);
             w.Shot(GoToLicence(w.process(), welcome), L"licencja");
         }},
        {L"licencja-zgoda",
         [](Walk& w) {
             HWND licence = w.process().WaitWindow(kLicenceCaption);
             Click(licence, L::kRadioButton1);
             HWND next = Control(licence, L::kButton2);
             if (!WaitUntil([&] { return IsWindowEnabled(next) != FALSE; }))
                 throw Failure(L"Next stays disabled after agreeing");
             w.Shot(licence, L"licencja-zgoda");
         }},
        {L"licencja-dalej",
         [](Walk& w) {
             HWND licence = w.process().WaitWindow(kLicenceCaption);
             Click(licence, L::kButton2);
             w.process().WaitGone(licence);
         }},
    };
}

std::vector<Step> ClosingSteps() {
    return {
        {L"koniec",
         [](Walk& w) {
             HWND open = nullptr;
             WaitUntil([&] {
                 return !w.process().Running() ||
                        (open = w.process().FindWindowByCaption(kInstallerCaption)) != nullptr;
             });
             if (open) {
                 w.Shot(open, L"instalator");
                 CloseBox(open);
             }
             DWORD code = w.process().WaitExit();
             if (code != 0) throw Failure(L"the installer ended with " + std::to_wstring(code));
         }},
    };
}

}  // namespace e2e
