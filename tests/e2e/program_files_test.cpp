// The folder the install window proposes, asked of the shell for a process of
// the installer's own kind: on 64-bit Windows a 32-bit program is given a
// Program Files folder of its own, "(x86)", and must propose that one.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "tests/e2e/install_files.h"
#include "tests/e2e/installer.h"
#include "wizard/inst_main.h"

namespace e2e {
namespace {

TEST(ProgramFilesE2E, TheProposedFolderLiesInTheProgramFilesTheShellGivesAProcessOfTheInstallersKind) {
    // Two folders, or a 32-bit build proposing the 64-bit one would pass.
    ASSERT_NE(ShellFolder(CSIDL_PROGRAM_FILES), ShellFolder(CSIDL_PROGRAM_FILESX86));
    Process p = LaunchInstaller();
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(p.Handle(), &wow64));
    const std::wstring programFiles = ShellFolder(wow64 ? CSIDL_PROGRAM_FILESX86 : CSIDL_PROGRAM_FILES);
    AgreeAndNext(p, GoToLicence(p, p.WaitWindow(kWelcomeCaption)));
    HWND window = p.WaitWindow(kInstallerCaption);
    EXPECT_EQ(programFiles + L"\\Vantrel\\Velandra", TextOf(Control(window, Tinst_main_win::kEdit1)))
        << (wow64 ? "a 32-bit installer" : "a 64-bit installer");
    p.WaitIdle(window);
    CloseBox(window);
    EXPECT_EQ(0u, p.WaitExit());
}

}  // namespace
}  // namespace e2e
