// The install window of the typical run: the proposed folder, the picker, the
// folder question, the copy and the success message; then what was installed.
#include <shlobj.h>

#include <cstdio>
#include <memory>

#include "base/handles.h"
#include "tests/e2e/install_files.h"
#include "tests/e2e/installer.h"
#include "tests/support/payload.h"
#include "tools/walk/walk.h"
#include "wizard/inst_main.h"

namespace e2e {

namespace {

using I = Tinst_main_win;
using testing_support::FilesBelow;
using testing_support::kMenuFolder;
using testing_support::kShortcutFile;
using testing_support::Listing;
using testing_support::LoadLink;

void PrintInstalled(const std::wstring& target) {
    std::printf("Installed in %s:\n", Narrow(target).c_str());
    for (const std::wstring& relative : FilesBelow(target, Listing::kFilesOnly)) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW((target + L"\\" + relative).c_str(), GetFileExInfoStandard, &data);
        std::printf("  %-24s %8lu bytes%s\n", Narrow(relative).c_str(), data.nFileSizeLow,
                    (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? "  read-only" : "");
    }
    const std::wstring links[] = {ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + kShortcutFile,
                                  ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + kMenuFolder + L"\\" + kShortcutFile};
    for (const std::wstring& file : links) {
        const auto link = LoadLink(file);
        if (!link) {
            std::printf("Shortcut %s cannot be loaded\n", Narrow(file).c_str());
            continue;
        }
        std::printf("Shortcut %s\n  target %s\n  working folder %s\n", Narrow(file).c_str(),
                    Narrow(link->target).c_str(), Narrow(link->workingFolder).c_str());
    }
}

// The picker over the install window, photographed and cancelled.
void ShowPicker(Walk& w) {
    HWND window = w.process().WaitWindow(kInstallerCaption);
    Click(window, I::kBitBtn1);
    HWND picker = nullptr;
    WaitUntil([&] {
        for (HWND h : w.process().Windows())
            if (h != window && ClassOf(h) == L"#32770") picker = h;
        return picker != nullptr;
    });
    if (!picker) throw Failure(L"the folder picker did not open");
    w.Shot(picker, L"instalacja-wybor-folderu");
    Click(picker, IDCANCEL);
    w.process().WaitGone(picker);
}

}  // namespace

std::vector<Step> InstallSteps() {
    // The folder the window proposes, remembered for the printout at the end.
    auto target = std::make_shared<std::wstring>();
    return {
        {L"instalacja",
         [target](Walk& w) {
             HWND window = w.process().WaitWindow(kInstallerCaption);
             *target = TextOf(Control(window, I::kEdit1));
             w.Shot(window, L"instalacja");
         }},
        {L"instalacja-wybor-folderu", ShowPicker},
        {L"instalacja-pytanie",
         [](Walk& w) {
             HWND window = w.process().WaitWindow(kInstallerCaption);
             Click(window, I::kBitBtn3);
             w.ShotOver(window, w.process().WaitMessageBox(), L"instalacja-pytanie");
             w.process().AnswerMessageBox(IDYES);
         }},
        {L"instalacja-zakonczona",
         [](Walk& w) {
             HWND box = w.process().WaitMessageBox();
             w.Shot(box, L"instalacja-zakonczona");
             MessageBoxSeen seen = w.process().AnswerMessageBox(IDOK);
             if (seen.text != L"Program Velandra został zainstalowany pomyślnie")
                 throw Failure(L"instead of the success message: " + seen.text);
         }},
        {L"zainstalowane",
         [target](Walk& w) {
             if (w.process().WaitExit() != 0) throw Failure(L"the installer did not end cleanly");
             const base::ComApartment apartment;
             PrintInstalled(*target);
         }},
    };
}

}  // namespace e2e
