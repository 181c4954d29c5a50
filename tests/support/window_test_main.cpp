// Entry point of the window test programs: the same start-up as the installer.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/handles.h"
#include "base/module.h"
#include "ui/platform.h"

int main(int argc, char** argv) {
    base::RestrictDllSearch();
    const base::ComApartment apartment;
    ui::InitControls();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
