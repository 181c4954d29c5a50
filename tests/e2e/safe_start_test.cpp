// No DLL lying beside the installer may be loaded in place of the system's
// own: an installer usually runs from a downloads folder, where anybody may
// have left one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/installer.h"
#include "tests/e2e/pe_imports.h"

namespace e2e {
namespace {

// DLLs the installer (or the system on its behalf) may load by name after the
// start, and which the loader would look for beside the program first.
const wchar_t* const kPlanted[] = {L"comctl32.dll", L"msftedit.dll", L"riched20.dll",
                                   L"uxtheme.dll",  L"version.dll",  L"winspool.drv"};

// DLLs that are always taken from the system folder whoever asks: the only
// ones the installer may import. The import check script reads the same list.
std::vector<std::string> SystemOnly() {
    std::vector<std::string> names;
    std::istringstream lines(ReadFileBytes(WindowsPath(VEL_SYSTEM_DLLS)));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) names.push_back(line);
    return names;
}

std::wstring Built(const char* path) { return WindowsPath(path); }

// The bait and its control program are built for the installer's machine: a
// 32-bit process passes over a 64-bit DLL of the right name, and would pass
// the test for that reason alone.
bool ThirtyTwoBitInstaller() { return ImageMachine(ReadFileBytes(InstallerPath())) == IMAGE_FILE_MACHINE_I386; }
std::wstring Bait() { return Built(ThirtyTwoBitInstaller() ? VEL_PLANTED_DLL_I686 : VEL_PLANTED_DLL); }
std::wstring ControlProgram() { return Built(ThirtyTwoBitInstaller() ? VEL_NAIVE_LOADER_I686 : VEL_NAIVE_LOADER); }

void Plant(const TempFolder& folder) {
    const std::wstring bait = Bait();
    for (const wchar_t* name : kPlanted) CopyFileOrThrow(bait, folder.Path() + name);
}

std::vector<std::wstring> Markers(const TempFolder& folder) { return FilesIn(folder.Path(), L"*.loaded"); }

TEST(SafeStartE2E, TheControlProgramDoesPickUpAPlantedDll) {
    // Proves the planted DLLs work as bait: a program that loads by bare name
    // with the default search order takes them. Wine prefers its own built-in
    // copy of several system DLLs whatever lies beside the program, but not of
    // the rich-edit DLL the installer loads by name.
    TempFolder folder(L"vel-naive");
    Plant(folder);
    const std::wstring exe = folder.Path() + L"naive_loader.exe";
    CopyFileOrThrow(ControlProgram(), exe);
    std::wstring names;
    for (const wchar_t* name : kPlanted) names += std::wstring(names.empty() ? L"" : L" ") + name;
    Process p = Process::Launch(exe, names);
    p.WaitExit();
    std::vector<std::wstring> taken = Markers(folder);
    EXPECT_NE(taken.end(), std::find(taken.begin(), taken.end(), L"msftedit.dll.loaded"));
    for (const std::wstring& m : taken) std::printf("planted and taken: %ls\n", m.c_str());
}

TEST(SafeStartE2E, TheInstallerLoadsNoDllFromItsOwnFolder) {
    TempFolder folder(L"vel-planted");
    Plant(folder);
    const std::wstring exe = folder.Path() + L"vel_instaluj.exe";
    CopyFileOrThrow(InstallerPath(), exe);
    {
        Process p = LaunchInstaller(exe);
        // The licence page holds the rich-text view: everything is loaded by then.
        HWND licence = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
        CloseBox(licence);
        EXPECT_EQ(0u, p.WaitExit());
    }
    EXPECT_EQ(std::vector<std::wstring>{}, Markers(folder));
}

void ExpectOnlySystemImports(const std::wstring& exe) {
    const std::vector<std::string> systemOnly = SystemOnly();
    ASSERT_GE(systemOnly.size(), 3u) << "the list of system DLLs is readable";
    std::vector<std::string> dlls = ImportedDlls(ReadFileBytes(exe));
    // The parser found the imports at all: every program needs kernel32.
    EXPECT_NE(dlls.end(), std::find(dlls.begin(), dlls.end(), "kernel32.dll"));
    for (const std::string& dll : dlls)
        EXPECT_NE(systemOnly.end(), std::find(systemOnly.begin(), systemOnly.end(), dll))
            << dll << " is imported by " << Narrow(exe) << " but may be found beside it";
}

TEST(SafeStartE2E, TheInstallerImportsOnlyDllsTheSystemAlwaysTakesFromItsFolder) {
    ExpectOnlySystemImports(InstallerPath());
}

TEST(SafeStartE2E, ImportReaderSeesWhatTheControlProgramImports) {
    // The control program is built the same way and imports what every
    // mingw program does; a reader that found nothing would pass anything.
    std::vector<std::string> dlls = ImportedDlls(ReadFileBytes(Built(VEL_NAIVE_LOADER)));
    EXPECT_NE(dlls.end(), std::find(dlls.begin(), dlls.end(), "kernel32.dll"));
    EXPECT_NE(dlls.end(), std::find(dlls.begin(), dlls.end(), "msvcrt.dll"));
}

TEST(SafeStartE2E, ImportReaderRejectsWhatIsNoProgram) {
    EXPECT_THROW(ImportedDlls(""), Failure);
    EXPECT_THROW(ImportedDlls("MZ but nothing after it"), Failure);
    std::string image = ReadFileBytes(InstallerPath());
    EXPECT_THROW(ImportedDlls(image.substr(0, 300)), Failure) << "cut inside the headers";
}

}  // namespace
}  // namespace e2e
