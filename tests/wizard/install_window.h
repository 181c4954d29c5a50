#pragma once
// The install window created for real in-process, with every seam answered
// here: message boxes, the shell's special folders and the folder picker.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <memory>

#include "engine/vtutils.h"
#include "tests/support/install.h"
#include "tests/support/payload.h"
#include "tests/support/window_test.h"
#include "wizard/inst_main.h"

namespace inst_test {

using namespace testing_support;

class InstallWindow : public ::testing::Test {
protected:
    void Open() {
        win = std::make_unique<Tinst_main_win>();
        win->Create();
    }
    void Type(const std::wstring& text) {
        SendMessageW(win->Edit1.hwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // EnsureTargetFolder for an installation into typed.
    int Ensure(const std::wstring& typed) {
        Installation installation(InstallTarget(typed), MediumFolder());
        return win->EnsureTargetFolder(installation);
    }
    // Close() of a window that is not the main window only records Cancel:
    // a test's window stays, the installer's main window is destroyed.
    bool Ended() const { return win->ModalResult() == ui::kCancel; }
    // The default proposal for the scratch Program Files folder.
    std::wstring DefaultTarget() const { return shell[CSIDL_PROGRAM_FILES] + L"\\Vantrel\\Velandra"; }
    std::wstring DesktopLink(int csidl) const { return shell[csidl] + L"\\" + kShortcutFile; }
    std::wstring MenuLink(int csidl) const { return shell[csidl] + L"\\" + kMenuFolder + L"\\" + kShortcutFile; }

    ScratchFolder scratch;
    testing_support::MessageScript messages;
    ShellFolders shell{scratch};
    FolderPicks picks;
    RunImageBeside runImage;
    std::unique_ptr<Tinst_main_win> win;
};

}  // namespace inst_test
