#include "tests/e2e/installer.h"

#include <cstdlib>

namespace e2e {

std::wstring InstallerPath() {
    if (const char* over = std::getenv("VEL_E2E_INSTALLER"); over && *over) return WindowsPath(over);
    return WindowsPath(VEL_INSTALLER_EXE);
}

Process LaunchInstaller(const std::wstring& exe) {
    Process p = Process::Launch(exe);
    p.WaitWindow(kWelcomeCaption);
    return p;
}

HWND GoToLicence(const Process& p, HWND welcome) {
    Click(welcome, Twitaj_win::kButton2);
    p.WaitGone(welcome);
    return p.WaitWindow(kLicenceCaption);
}

void AgreeAndNext(const Process& p, HWND licence) {
    Click(licence, TLic_win::kRadioButton1);
    HWND next = Control(licence, TLic_win::kButton2);
    if (!WaitUntil([&] { return IsWindowEnabled(next) != FALSE; }))
        throw Failure(L"Next stays disabled after agreeing");
    ClickControl(next);
    p.WaitGone(licence);
}

DWORD FinishAfterLicence(Process& p) {
    HWND install = nullptr;
    WaitUntil([&] { return !p.Running() || (install = p.FindWindowByCaption(kInstallerCaption)); });
    if (install) {
        p.WaitIdle(install);
        CloseBox(install);
    }
    return p.WaitExit();
}

}  // namespace e2e
