// The installer's entry point: the welcome and licence pages in a loop that
// Back restarts, then the install window as the main window.
#include <windows.h>

#include "base/error.h"
#include "base/handles.h"
#include "base/module.h"
#include "ui/form.h"
#include "ui/message.h"
#include "ui/platform.h"
#include "wizard/inst_main.h"
#include "wizard/lic.h"
#include "wizard/product.h"
#include "wizard/texts.h"
#include "wizard/witaj.h"

namespace {

int RunPages() {
    int licResult;
    do {
        {
            Twitaj_win witaj;
            if (witaj.ShowModal() != ui::kNext) return ui::kCancel;
        }
        TLic_win lic;
        licResult = lic.ShowModal();
    } while (licResult == ui::kBack);
    return licResult;
}

int Run() {
    // Two installers (a double click done twice) would install into the same
    // folder at once: the second one says so and ends. Global: another user's
    // session on this machine counts too.
    const base::ScopedHandle running(CreateMutexW(nullptr, FALSE, product::kRunningMutex));
    if (running && GetLastError() == ERROR_ALREADY_EXISTS) {
        ui::ShowMessage(nullptr, kAlreadyRunningMessage, kInstallerCaption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (RunPages() != ui::kNext) return 0;
    // The install window is the main window: the program ends when it closes.
    Tinst_main_win inst_main_win;
    inst_main_win.RunAsMainWindow();
    return 0;
}

// noexcept: what the handlers here let through ends the program at once, as it
// would from wWinMain, and the exe keeps no unwinding code for it.
int Main() noexcept {
    base::RestrictDllSearch();
    // Before any window: the layers below name their errors by cause, and
    // every one reads in the installer's words.
    base::SetErrorWording(ErrorWords);
    // The shell link objects of the shortcuts need a single-threaded apartment.
    const base::ComApartment apartment;
    ui::InitControls();
    int rc = 0;
    try {
        rc = Run();
    } catch (const base::Error& e) {
        ui::ShowErrorReport(nullptr, e.text());
        rc = 1;
    } catch (const std::exception& e) {
        ui::ShowErrorReport(nullptr, kUnexpectedError);
        rc = 1;
    }
    return rc;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return Main(); }
