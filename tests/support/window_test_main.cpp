// Entry point of the window test programs: the same start-up as the installer.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/handles.h"
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
    const base::ComApartment apartment;
    ui::InitControls();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
