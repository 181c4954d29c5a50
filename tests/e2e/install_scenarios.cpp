// The install window driven from outside on the real installer: whole
// installations of the sample payload and the ways they can go wrong.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>

#include "base/handles.h"
#include "tests/e2e/install_files.h"
#include "tests/e2e/installer.h"
#include "tests/support/host.h"
#include "tests/support/install.h"
#include "tests/support/payload.h"
#include "wizard/inst_main.h"

namespace e2e {
namespace {

using I = Tinst_main_win;
using testing_support::FilesBelow;
using testing_support::Listing;
using testing_support::kHelpFile;
using testing_support::kLibraryFile;
using testing_support::kMenuFolder;
using testing_support::kProgramFile;
using testing_support::kReadmeFile;
using testing_support::kSettingsFile;
using testing_support::kShortcutFile;
using testing_support::ReadText;

const wchar_t kProgramCaption[] = L"Velandra 3.51";

// The installer (or another exe of its build) and a copy of the build's
// RunImage in a folder of their own, some of the files read-only as they are
// on a pressed disc.
class Medium {
public:
    explicit Medium(const std::wstring& exe = InstallerPath()) : folder_(L"vel-medium") {
        const std::wstring built = InstallerPath();
        const std::wstring builtFolder = built.substr(0, built.find_last_of(L"\\/") + 1);
        CopyFileOrThrow(exe, Installer());
        CopyTree(builtFolder + L"RunImage\\", RunImage());
        for (const std::wstring& name : {kProgramFile, kSettingsFile})
            SetFileAttributesW((RunImage() + name).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    std::wstring Installer() const { return folder_.Path() + L"vel_instaluj.exe"; }
    std::wstring RunImage() const { return folder_.Path() + L"RunImage\\"; }
    // Adds a large file off the overwrite list: once it exists it is never
    // copied again, and while it is copied the installer is busy for a while.
    void AddLargeFile(const std::wstring& relative, int megabytes) const {
        std::ofstream out((RunImage() + relative).c_str(), std::ios::binary);
        std::string block(1 << 20, '\0');
        for (int i = 0; i < megabytes; ++i) {
            block[0] = static_cast<char>(i);
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
    }

private:
    TempFolder folder_;
};

class InstallE2E : public ::testing::Test {
protected:
    explicit InstallE2E(const std::wstring& installer = InstallerPath()) : medium(installer) {}
    void SetUp() override { RemoveShortcuts(); }
    void TearDown() override {
        process.Kill();
        RemoveShortcuts();
    }

    static std::wstring DesktopLink() { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\" + kShortcutFile; }
    static std::wstring MenuFolder() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\" + kMenuFolder; }
    static std::wstring MenuLink() { return MenuFolder() + L"\\" + kShortcutFile; }
    static void RemoveShortcuts() {
        DeleteFileW(DesktopLink().c_str());
        RemoveTree(MenuFolder());
    }

    // Starts the installer of the medium (or exe) and agrees its way to the
    // install window.
    HWND OpenInstallWindow() { return OpenInstallWindow(medium.Installer()); }
    HWND OpenInstallWindow(const std::wstring& exe) {
        process = LaunchInstaller(exe);
        AgreeAndNext(process, GoToLicence(process, process.WaitWindow(kWelcomeCaption)));
        return process.WaitWindow(kInstallerCaption);
    }
    void SetTarget(HWND window, const std::wstring& path) {
        DWORD_PTR r = 0;
        SendMessageTimeoutW(Control(window, I::kEdit1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                            SMTO_NORMAL, kTimeoutMs, &r);
    }
    bool NextEnabled(HWND window) { return IsWindowEnabled(Control(window, I::kBitBtn3)) != FALSE; }
    void ExpectBox(const MessageBoxSeen& box, const std::wstring& text, const std::wstring& caption,
                   std::vector<int> buttons) {
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(buttons, box.buttons);
        EXPECT_EQ(SystemButtonTexts(buttons), box.buttonTexts) << "the system's own words";
    }
    // A message box that stays until it is answered: nothing typed before it
    // came closes it.
    HWND ExpectBoxStays() {
        const HWND box = process.WaitMessageBox();
        Sleep(500);
        EXPECT_TRUE(IsWindow(box) && IsWindowVisible(box)) << "the box closed by itself";
        return box;
    }
    // The staging folder in the target, once the copy has made it.
    static std::wstring StagingFolder(const std::wstring& target) { return target + L"\\~vel_instaluj.tmp\\"; }
    // True once a file of that name is being written into the staging folder.
    static bool BeingStaged(const std::wstring& target, const std::wstring& name) {
        for (const std::wstring& relative : FilesBelow(StagingFolder(target), Listing::kFilesOnly))
            if (relative.size() >= name.size() && relative.compare(relative.size() - name.size(), name.size(), name) == 0)
                return true;
        return false;
    }
    // Answers the success message and waits for the program to end.
    void ExpectSuccessAndEnd() {
        ExpectBox(process.AnswerMessageBox(IDOK), kSuccessText, kSuccessCaption, {IDOK});
        EXPECT_EQ(0u, process.WaitExit());
    }
    void ExpectInstalled(const std::wstring& target) {
        const auto source = FilesBelow(medium.RunImage(), Listing::kFilesOnly);
        const auto installed = FilesBelow(target, Listing::kFilesOnly);
        ASSERT_EQ(source.size(), installed.size());
        for (const std::wstring& relative : source) {
            SCOPED_TRACE(Narrow(relative));
            ASSERT_NE(installed.end(), std::find(installed.begin(), installed.end(), relative));
            EXPECT_EQ(ReadText(medium.RunImage() + relative), ReadText(target + L"\\" + relative));
            EXPECT_EQ(0u, GetFileAttributesW((target + L"\\" + relative).c_str()) & FILE_ATTRIBUTE_READONLY)
                << "installed files are writable";
        }
    }
    void ExpectShortcutsTo(const std::wstring& target) {
        for (const std::wstring& file : {DesktopLink(), MenuLink()}) testing_support::ExpectLinkTo(file, target);
    }

    const base::ComApartment apartment;  // for the shortcuts' links; first made, last gone
    Medium medium;
    TempFolder targets{L"vel-target"};
    Process process;
};

// The installer made for its medium, which knows every file of the payload.
class SealedInstallE2E : public InstallE2E {
protected:
    SealedInstallE2E() : InstallE2E(SealedInstallerPath().empty() ? InstallerPath() : SealedInstallerPath()) {}
    void SetUp() override {
        // The test build always has one; a release build only once a medium was made from it.
        if (SealedInstallerPath().empty()) {
            if (std::getenv("VEL_E2E_INSTALLER")) GTEST_SKIP() << "the installer under test has no sealed twin";
            FAIL() << "no sealed installer beside " << Narrow(InstallerPath());
        }
        InstallE2E::SetUp();
    }
    void Damage(const std::wstring& relative, const std::string& content) {
        SetFileAttributesW((medium.RunImage() + relative).c_str(), FILE_ATTRIBUTE_NORMAL);
        std::ofstream((medium.RunImage() + relative).c_str(), std::ios::binary) << content;
    }
    // Next, and the error box that answers it.
    void ExpectRefusal(HWND window, const std::wstring& text) {
        Click(window, I::kBitBtn3);
        ExpectBox(process.AnswerMessageBox(IDOK), text, kInstallerCaption, {IDOK});
        process.WaitIdle(window);
    }
};

TEST_F(SealedInstallE2E, ADamagedMediumIsRefusedAndASoundOneInstalls) {
    const std::wstring advice =
        L"\n\nSkopiuj nośnik instalacyjny jeszcze raz lub pobierz instalator ponownie i uruchom go z nowej kopii.";
    const std::string readme = ReadText(medium.RunImage() + kReadmeFile);
    const std::string help = ReadText(medium.RunImage() + kHelpFile);
    std::string library = ReadText(medium.RunImage() + kLibraryFile);
    DeleteFileW((medium.RunImage() + kReadmeFile).c_str());
    Damage(kHelpFile, help.substr(0, help.size() / 2));
    Damage(L"Dane\\obcy.txt", "added");
    HWND window = OpenInstallWindow();
    const std::wstring fresh = targets.Path() + L"nowy";
    SetTarget(window, fresh);
    ExpectRefusal(window, L"Pliki instalacyjne są uszkodzone lub niekompletne.\n\nBrakuje plików:\n" + kReadmeFile +
                              L"\n\nZmienione pliki:\n" + kHelpFile + L"\n\nNadmiarowe pliki:\nDane\\obcy.txt" + advice);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(fresh.c_str())) << "nothing created, no question";

    // Put right but for one byte: only reading the file tells, and the copy
    // places nothing.
    Damage(kReadmeFile, readme);
    Damage(kHelpFile, help);
    DeleteFileW((medium.RunImage() + L"Dane\\obcy.txt").c_str());
    library[library.size() / 2] ^= 1;
    Damage(kLibraryFile, library);
    const std::wstring target = targets.Path() + L"Velandra";
    CreateDirectoryW(target.c_str(), nullptr);
    SetTarget(window, target);
    ExpectRefusal(window, L"Pliki instalacyjne są uszkodzone lub niekompletne.\n\nZmienione pliki:\n" + kLibraryFile + advice);
    EXPECT_TRUE(FilesBelow(target, Listing::kFilesOnly).empty());

    library[library.size() / 2] ^= 1;
    Damage(kLibraryFile, library);
    Click(window, I::kBitBtn3);
    ExpectSuccessAndEnd();
    ExpectInstalled(target);
}

TEST_F(InstallE2E, TypicalRunInstallsTheTreeAndBothShortcuts) {
    HWND window = OpenInstallWindow();
    // The installer's own texts, Polish letters and all, whatever the system's code page.
    EXPECT_EQ(L"Wybierz folder, w którym ma być zainstalowany program Velandra",
              TextOf(Control(window, I::kLabel1)));
    EXPECT_EQ(L"Instalacja programu Velandra ver 3.51", TextOf(Control(window, I::kLabel3)));
    EXPECT_EQ(kNextText, TextOf(Control(window, I::kBitBtn3)));
    EXPECT_EQ(kExitText, TextOf(Control(window, I::kBitBtn4)));
    EXPECT_TRUE(NextEnabled(window));
    EXPECT_EQ(Control(window, I::kBitBtn1), FocusedControl(window));

    const std::wstring target = targets.Path() + L"Vantrel\\Velandra";
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    ExpectBox(process.AnswerMessageBox(IDYES), FolderQuestion(target),
              kFolderCaption, {IDYES, IDNO});
    ExpectSuccessAndEnd();
    ExpectInstalled(target);
    ExpectShortcutsTo(target);
}

TEST_F(InstallE2E, ReinstallationKeepsTheUsersDataAndReplacesTheProgram) {
    const std::wstring target = targets.Path() + L"Velandra";
    CopyTree(medium.RunImage(), target + L"\\");
    SetFileAttributesW((target + L"\\" + kProgramFile).c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW((target + L"\\" + kSettingsFile).c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream((target + L"\\" + kProgramFile).c_str(), std::ios::binary) << "3.50";
    std::ofstream((target + L"\\" + kSettingsFile).c_str(), std::ios::binary) << "[Tablica]\r\nAdres=7\r\n";

    HWND window = OpenInstallWindow();
    SetTarget(window, target);
    Click(window, I::kBitBtn3);  // the folder exists: no question
    ExpectSuccessAndEnd();
    EXPECT_EQ(ReadText(medium.RunImage() + kProgramFile), ReadText(target + L"\\" + kProgramFile));
    EXPECT_EQ("[Tablica]\r\nAdres=7\r\n", ReadText(target + L"\\" + kSettingsFile));
    ExpectShortcutsTo(target);
}

TEST_F(InstallE2E, ARunningProgramStopsTheCopyUntilItEnds) {
    const std::wstring target = targets.Path() + L"Velandra";
    CopyTree(medium.RunImage(), target + L"\\");
    const std::wstring installed = target + L"\\" + kProgramFile;
    SetFileAttributesW(installed.c_str(), FILE_ATTRIBUTE_NORMAL);
    // An older build: the same program with bytes after its image, which the loader ignores.
    std::ofstream(installed.c_str(), std::ios::binary | std::ios::app) << "3.50";
    Process program = Process::Launch(installed);
    program.WaitWindow(kProgramCaption);

    HWND window = OpenInstallWindow();
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    // An impatient Enter while the installer waits for the program to let go.
    ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesW(StagingFolder(target).c_str()) != INVALID_FILE_ATTRIBUTES; }));
    TypeKey(window, VK_RETURN);
    ExpectBoxStays();
    ExpectBox(process.AnswerMessageBox(IDOK), kProgramInUseText, kInstallerCaption, {IDOK});
    EXPECT_TRUE(process.Running());
    EXPECT_TRUE(WaitUntil([&] { return NextEnabled(window); }));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(DesktopLink().c_str()));

    CloseBox(program.WaitWindow(kProgramCaption));
    program.WaitExit();
    Click(window, I::kBitBtn3);
    ExpectSuccessAndEnd();
    EXPECT_EQ(ReadText(medium.RunImage() + kProgramFile), ReadText(installed));
    ExpectShortcutsTo(target);
}

// An open viewer or a virus scanner holding a file of the medium: the user is
// told so, not sent for another medium; the folder made for the installation
// goes again, and once the file is let go the installation goes through.
TEST_F(InstallE2E, AMediumFileInUseIsNamedNothingStaysAndTheRetryInstalls) {
    const std::wstring target = targets.Path() + L"Vantrel\\Velandra";
    HWND window = OpenInstallWindow();
    SetTarget(window, target);
    {
        // Wine shares the lock with the installer: both run on one server.
        testing_support::LockedFile held(medium.RunImage() + kReadmeFile);
        ASSERT_TRUE(held.locked());
        Click(window, I::kBitBtn3);
        ExpectBox(process.AnswerMessageBox(IDYES), FolderQuestion(target), kFolderCaption, {IDYES, IDNO});
        ExpectBox(process.AnswerMessageBox(IDOK),
                  L"Nie udało się skopiować plików:\n\nPrzyczyna: plik instalacyjny jest używany przez inny program."
                  L"\n" + kReadmeFile + L"\nZamknij program, który używa tego pliku, i kliknij 'Dalej >', aby spróbować "
                  L"ponownie.",
                  kInstallerCaption, {IDOK});
        process.WaitIdle(window);
        EXPECT_TRUE(NextEnabled(window));
        EXPECT_EQ(std::vector<std::wstring>{}, FilesBelow(targets.path()))
            << "neither the folder nor its parent stays";
    }
    Click(window, I::kBitBtn3);
    ExpectBox(process.AnswerMessageBox(IDYES), FolderQuestion(target), kFolderCaption, {IDYES, IDNO});
    ExpectSuccessAndEnd();
    ExpectInstalled(target);
    ExpectShortcutsTo(target);
}

// Explorer runs an exe opened inside a ZIP archive from a folder of the
// archive's name in the temporary folder, without the rest of the archive.
TEST_F(InstallE2E, AnInstallerWithoutItsMediumSaysWhatToDo) {
    TempFolder temporary(L"vel-zip");
    // Anywhere else: C:\ is no temporary folder.
    TempFolder elsewhere(L"vel-alone", false, L"C:\\");
    const struct {
        std::wstring folder, exe, advice;
    } cases[] = {
        {temporary.Path(L"Temp1_x.zip\\"), L"setup (1).exe", testing_support::UnpackAdvice(L"setup (1).exe")},
        {elsewhere.Path(), L"vel_instaluj.exe", testing_support::kNoMediumAdvice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.folder + c.exe));
        CreateDirectoryW(c.folder.c_str(), nullptr);
        CopyFileOrThrow(InstallerPath(), c.folder + c.exe);
        HWND window = OpenInstallWindow(c.folder + c.exe);
        SetTarget(window, targets.Path() + L"Velandra");
        Click(window, I::kBitBtn3);
        ExpectBox(process.AnswerMessageBox(IDOK), testing_support::NoMediumText(c.folder + L"RunImage\\", c.advice),
                  kInstallerCaption, {IDOK});
        process.WaitIdle(window);
        EXPECT_TRUE(NextEnabled(window)) << "the medium may come back";
        CloseBox(window);
        EXPECT_EQ(0u, process.WaitExit());
    }
    EXPECT_EQ(std::vector<std::wstring>{}, FilesBelow(targets.path()));
}

TEST_F(InstallE2E, AFolderTheFileSystemRefusesIsReported) {
    HWND window = OpenInstallWindow();
    const std::wstring target = L"C:\\Vel|x";
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    ExpectBox(process.AnswerMessageBox(IDYES), FolderQuestion(target),
              kFolderCaption, {IDYES, IDNO});
    ExpectBox(process.AnswerMessageBox(IDOK),
              FolderFailure(target, L"nazwa folderu jest nieprawidłowa (nie może zawierać znaków : * ? \" < > |)."),
              kFolderCaption, {IDOK});
    process.WaitIdle(window);
    EXPECT_FALSE(NextEnabled(window));
    SetTarget(window, targets.Path() + L"inny");
    EXPECT_TRUE(NextEnabled(window));
    // The close box ends the program without a question.
    CloseBox(window);
    EXPECT_EQ(0u, process.WaitExit());
    EXPECT_EQ(nullptr, process.FindMessageBox());
}

TEST_F(InstallE2E, EscAsksBeforeLeaving) {
    HWND window = OpenInstallWindow();
    PressKey(window, VK_ESCAPE);
    ExpectBox(process.AnswerMessageBox(IDNO), kExitQuestion, kInstallerCaption, {IDYES, IDNO});
    process.WaitIdle(window);
    EXPECT_TRUE(IsWindowVisible(window));
    PressKey(window, VK_ESCAPE);
    process.AnswerMessageBox(IDYES);
    EXPECT_EQ(0u, process.WaitExit());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(DesktopLink().c_str()));
}

TEST_F(InstallE2E, AnInstallationKilledMidFileLeavesTheTargetAsItWasAndTheNextOneIsWhole) {
    const std::wstring big = L"Dane\\mapa.bin";
    medium.AddLargeFile(big, 192);
    const std::wstring target = targets.Path() + L"Velandra";
    CreateDirectoryW(target.c_str(), nullptr);
    HWND window = OpenInstallWindow();
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    // Killed while the big file is being written.
    ASSERT_TRUE(WaitUntil([&] { return BeingStaged(target, L"mapa.bin"); }, 20000))
        << "the copy of the big file was not seen";
    process.Kill();
    process.WaitExit();
    for (const std::wstring& relative : FilesBelow(target, Listing::kFilesOnly))
        EXPECT_EQ(0u, relative.find(L"~vel_instaluj.tmp\\")) << Narrow(relative) << ": only the staging folder";

    HWND again = OpenInstallWindow();
    SetTarget(again, target);
    Click(again, I::kBitBtn3);
    ExpectSuccessAndEnd();
    ExpectInstalled(target);  // every file whole, and nothing else in the folder
}

// What a window busy with a long copy shows and answers, sampled every 20 ms
// until the outcome box comes: a gigabyte in the page cache takes well under
// a second on a fast machine.
struct BusySamples {
    int unanswered = 0;  // WM_NULL not answered within a second
    int hung = 0;        // taken for hung by the system
    std::vector<int> positions;  // the bar's, while it shows
    LRESULT endSession = TRUE;   // the answer to a shutdown while it copies
};

BusySamples SampleUntilTheOutcome(const Process& process, HWND window, HWND bar) {
    BusySamples seen;
    bool askedToEnd = false;
    while (!process.FindMessageBox() && process.Running()) {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer)) ++seen.unanswered;
        if (IsHungAppWindow(window)) ++seen.hung;
        if (IsWindowVisible(bar) && SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer)) {
            seen.positions.push_back(static_cast<int>(answer));
            if (!askedToEnd) {
                askedToEnd = SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
                seen.endSession = static_cast<LRESULT>(answer);
            }
        }
        Sleep(20);
    }
    return seen;
}

// A long copy keeps the window alive: it answers at once, shows how far it
// is, holds a shutdown back, and takes no input, so nothing typed, clicked or
// closed meanwhile ends it or answers the outcome.
TEST_F(InstallE2E, ALongCopyKeepsTheWindowAliveWithItsProgressAndTakesNoInput) {
    medium.AddLargeFile(L"Dane\\mapa.bin", 1024);
    const std::wstring target = targets.Path() + L"Velandra";
    CreateDirectoryW(target.c_str(), nullptr);
    HWND window = OpenInstallWindow();
    const HWND bar = Control(window, I::kProgressBar1);
    EXPECT_FALSE(IsWindowVisible(bar)) << "no bar before Next";
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    ASSERT_TRUE(WaitUntil([&] { return BeingStaged(target, L"mapa.bin"); }, 20000));
    TypeKey(window, VK_RETURN);
    CloseBox(window);
    PostMessageW(window, WM_CLOSE, 0, 0);  // as the taskbar's Close sends it
    const BusySamples seen = SampleUntilTheOutcome(process, window, bar);
    EXPECT_EQ(0, seen.unanswered);
    EXPECT_EQ(0, seen.hung);
    EXPECT_EQ(FALSE, seen.endSession) << "a shutdown waits for the copy";
    ASSERT_GE(seen.positions.size(), 3u);
    EXPECT_TRUE(std::is_sorted(seen.positions.begin(), seen.positions.end())) << "the bar never goes back";
    EXPECT_GE(std::set<int>(seen.positions.begin(), seen.positions.end()).size(), 3u) << "it moves as it copies";
    EXPECT_FALSE(IsWindowVisible(bar)) << "hidden when the outcome shows";
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), SendMessageW(bar, PBM_GETPOS, 0, 0)) << "at its end";
    ExpectBoxStays();
    ExpectSuccessAndEnd();
    ExpectInstalled(target);
}

// A double click done twice: the second installer says so and ends, the
// first one goes on undisturbed.
TEST_F(InstallE2E, ASecondInstallerSaysOneIsRunningAndEnds) {
    HWND window = OpenInstallWindow();
    Process second = Process::Launch(medium.Installer());
    ExpectBox(second.AnswerMessageBox(IDOK),
              L"Instalator programu Velandra jest już uruchomiony.\nDokończ instalację w jego oknie albo je zamknij, a "
              L"potem uruchom instalator ponownie.",
              kInstallerCaption, {IDOK});
    EXPECT_EQ(0u, second.WaitExit());

    const std::wstring target = targets.Path() + L"Velandra";
    CreateDirectoryW(target.c_str(), nullptr);
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    ExpectSuccessAndEnd();
    ExpectInstalled(target);
}

TEST_F(InstallE2E, TheInstallerAsksForTheHighestRightsTheUserHasAndScalesPerMonitor) {
    const HMODULE exe = LoadLibraryExW(medium.Installer().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, exe);
    const HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(nullptr, found);
    const char* data = static_cast<const char*>(LockResource(LoadResource(exe, found)));
    const std::string manifest(data, SizeofResource(exe, found));
    FreeLibrary(exe);
    EXPECT_NE(std::string::npos, manifest.find("<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>"))
        << manifest;
    // Per monitor (version 2) where Windows knows it, the system DPI before.
    EXPECT_NE(std::string::npos, manifest.find(">PerMonitorV2, System</dpiAwareness>")) << manifest;
    EXPECT_NE(std::string::npos, manifest.find(">true</dpiAware>")) << manifest;
}

// The system's folder picker: the process's dialog that is not the install window.
HWND WaitPicker(const Process& p, HWND installWindow) {
    HWND picker = nullptr;
    WaitUntil([&] {
        for (HWND w : p.Windows())
            if (w != installWindow && ClassOf(w) == L"#32770") picker = w;
        return picker != nullptr;
    });
    if (!picker) throw Failure(L"no folder picker; windows: " + p.Describe());
    p.WaitIdle(picker);
    return picker;
}

TEST_F(InstallE2E, ThePickerOpensAtTheTypedFolderAndReturnsTheChoice) {
    // A folder every prefix has, deep enough that landing on it is no accident.
    const std::wstring chosen = ShellFolder(CSIDL_PROGRAM_FILES_COMMON);
    HWND window = OpenInstallWindow();
    // The same folder written differently: only a picker that opened there
    // hands back the folder in its own spelling.
    SetTarget(window, chosen + L"\\");
    Click(window, I::kBitBtn1);
    HWND picker = WaitPicker(process, window);
    // The system's picker speaks the system's language.
    EXPECT_EQ(SystemButtonText(IDOK), TextOf(Control(picker, IDOK)));
    EXPECT_EQ(SystemButtonText(IDCANCEL), TextOf(Control(picker, IDCANCEL)));
    RECT r{};
    GetWindowRect(picker, &r);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (r.left + r.right) / 2, 1) << "centred across";
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (r.top + r.bottom) / 2, 1) << "centred down";
    Click(picker, IDOK);
    process.WaitGone(picker);
    process.WaitIdle(window);
    EXPECT_EQ(chosen, TextOf(Control(window, I::kEdit1)));

    // A folder that does not exist: cancel keeps the text ...
    const std::wstring missing = targets.Path() + L"brak";
    SetTarget(window, missing);
    Click(window, I::kBitBtn1);
    picker = WaitPicker(process, window);
    Click(picker, IDCANCEL);
    process.WaitGone(picker);
    process.WaitIdle(window);
    EXPECT_EQ(missing, TextOf(Control(window, I::kEdit1)));
    // ... and the picker had opened at the desktop.
    Click(window, I::kBitBtn1);
    picker = WaitPicker(process, window);
    Click(picker, IDOK);
    process.WaitGone(picker);
    process.WaitIdle(window);
    EXPECT_EQ(ShellFolder(CSIDL_DESKTOPDIRECTORY), TextOf(Control(window, I::kEdit1)));
}

}  // namespace
}  // namespace e2e
