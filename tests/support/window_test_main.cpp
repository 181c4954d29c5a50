// Entry point of the window test programs: the same start-up as the installer.
#include <objbase.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "base/module.h"
#include "ui/platform.h"
#ifdef VEL_INSTALLER_WORDING
#include "wizard/texts.h"
#endif

int main(int argc, char** argv) {
    base::RestrictDllSearch();
#ifdef VEL_INSTALLER_WORDING
    base::SetErrorWording(ErrorWords);
#endif
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    ui::InitControls();
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    CoUninitialize();
    return rc;
}
