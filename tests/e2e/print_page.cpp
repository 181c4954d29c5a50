// Prints the agreement from the real licence page: starts the installer, goes
// to the licence page, chooses "agree", presses "Drukuj tekst umowy" and
// checks that the page kept its state. Writes the agreement's words, one a
// line, for the PDF check of tests/report/print-e2e.sh, and prints the moment
// of the click as "start <unix ms>".
// Usage: e2e_print_page print <words-out>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/e2e/installer.h"
#include "tests/support/host.h"

namespace {

void WriteWords(const std::wstring& text, const wchar_t* path) {
    std::string words, word;
    for (wchar_t c : text + L" ") {
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0xA0) {
            if (!word.empty()) words += word + "\n";
            word.clear();
        } else {
            word += e2e::Narrow(std::wstring(1, c));
        }
    }
    std::ofstream(path, std::ios::binary) << words;
}

bool Expect(bool ok, const char* what) {
    if (!ok) std::printf("print_page: %s\n", what);
    return ok;
}

int PrintFromPage(const wchar_t* wordsOut) {
    e2e::Process p = e2e::LaunchInstaller();
    HWND welcome = p.WaitWindow(e2e::kWelcomeCaption);
    HWND licence = e2e::GoToLicence(p, welcome);
    e2e::Click(licence, TLic_win::kRadioButton1);
    p.WaitIdle(licence);
    WriteWords(e2e::TextOf(e2e::Control(licence, TLic_win::kRichEdit1)), wordsOut);

    std::printf("start %lld\n", testing_support::UnixMillis());
    std::fflush(stdout);
    e2e::Click(licence, TLic_win::kButton4);
    // The status window comes and goes while the pages are laid out.
    Sleep(300);
    p.WaitIdle(licence);
    for (int i = 0; i < 100 && p.FindWindowByCaption(L"Report Status"); ++i) Sleep(100);

    bool ok = Expect(IsWindow(licence) && IsWindowVisible(licence), "the licence page is gone");
    ok &= Expect(!p.FindMessageBox(), "a message box appeared");
    ok &= Expect(e2e::IsChecked(e2e::Control(licence, TLic_win::kRadioButton1)), "agree was cleared");
    ok &= Expect(!e2e::IsChecked(e2e::Control(licence, TLic_win::kRadioButton2)), "disagree got selected");
    ok &= Expect(IsWindowEnabled(e2e::Control(licence, TLic_win::kButton2)), "Next got disabled");
    e2e::CloseBox(licence);
    ok &= Expect(p.WaitExit() == 0, "the installer did not end cleanly");
    std::printf("print_page: %s\n", ok ? "the page kept its state" : "FAILED");
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wstring(argv[1]) == L"print") {
        try {
            return PrintFromPage(argv[2]);
        } catch (const std::exception& e) {
            std::printf("print_page: %s\n", e.what());
            return 1;
        }
    }
    std::fprintf(stderr, "usage: e2e_print_page print <words-out>\n");
    return 3;
}
