// The install window driven from outside on the real installer: whole
// installations of the sample payload and the ways they can go wrong.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <fstream>

#include "tests/e2e/install_files.h"
#include "tests/e2e/installer.h"
#include "wizard/inst_main.h"

namespace e2e {
namespace {

using I = Tinst_main_win;

const wchar_t kSuccess[] = L"Program Velandra został zainstalowany pomyślnie";
const wchar_t kFolderCaption[] = L"Zapis katalogu";
const wchar_t kProgramCaption[] = L"Velandra 3.51";

// The installer and a copy of its RunImage in a folder of their own, some of
// the files read-only as they are on a pressed disc.
class Medium {
public:
    Medium() : folder_(L"vel-medium") {
        const std::wstring built = InstallerPath();
        const std::wstring builtFolder = built.substr(0, built.find_last_of(L"\\/") + 1);
        CopyFileOrThrow(built, Installer());
        CopyTree(builtFolder + L"RunImage\\", RunImage());
        for (const wchar_t* name : {L"Vel.exe", L"Dane\\tablica.ini"})
            SetFileAttributesW((RunImage() + name).c_str(), FILE_ATTRIBUTE_READONLY);
    }
    std::wstring Installer() const { return folder_.Path() + L"vel_instaluj.exe"; }
    std::wstring RunImage() const { return folder_.Path() + L"RunImage\\"; }

private:
    TempFolder folder_;
};

class InstallE2E : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void SetUp() override { RemoveShortcuts(); }
    void TearDown() override {
        process.Kill();
        RemoveShortcuts();
    }

    static std::wstring DesktopLink() { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Velandra.lnk"; }
    static std::wstring MenuFolder() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + L"\\Velandra"; }
    static std::wstring MenuLink() { return MenuFolder() + L"\\Velandra.lnk"; }
    static void RemoveShortcuts() {
        DeleteFileW(DesktopLink().c_str());
        RemoveTree(MenuFolder());
    }

    // Starts the installer of the medium and agrees its way to the install window.
    HWND OpenInstallWindow() {
        process = LaunchInstaller(medium.Installer());
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
    // Answers the success message and waits for the program to end.
    void ExpectSuccessAndEnd() {
        ExpectBox(process.AnswerMessageBox(IDOK), kSuccess, L"Instalacja zakończona", {IDOK});
        EXPECT_EQ(0u, process.WaitExit());
    }
    void ExpectInstalled(const std::wstring& target) {
        const auto source = Tree(medium.RunImage());
        const auto installed = Tree(target + L"\\");
        ASSERT_EQ(source.size(), installed.size());
        for (const auto& [relative, attrs] : source) {
            SCOPED_TRACE(Narrow(relative));
            auto it = installed.find(relative);
            ASSERT_NE(installed.end(), it);
            EXPECT_EQ(ReadBytes(medium.RunImage() + relative), ReadBytes(target + L"\\" + relative));
            EXPECT_EQ(0u, it->second & FILE_ATTRIBUTE_READONLY) << "installed files are writable";
        }
    }
    void ExpectShortcutsTo(const std::wstring& target) {
        for (const std::wstring& file : {DesktopLink(), MenuLink()}) {
            SCOPED_TRACE(Narrow(file));
            Link link = LoadLink(file);
            EXPECT_EQ(target + L"\\vel.exe", link.target);
            EXPECT_EQ(target + L"\\", link.workingFolder);
        }
    }

    Medium medium;
    TempFolder targets{L"vel-target"};
    Process process;
};

TEST_F(InstallE2E, TypicalRunInstallsTheTreeAndBothShortcuts) {
    HWND window = OpenInstallWindow();
    // The installer's own texts, Polish letters and all, whatever the system's code page.
    EXPECT_EQ(L"Wybierz folder, w którym ma być zainstalowany program Velandra",
              ReadText(Control(window, I::kLabel1)));
    EXPECT_EQ(L"Instalacja programu Velandra ver 3.51", ReadText(Control(window, I::kLabel3)));
    EXPECT_EQ(L"Dalej >", ReadText(Control(window, I::kBitBtn3)));
    EXPECT_EQ(L"Zakończ", ReadText(Control(window, I::kBitBtn4)));
    EXPECT_TRUE(NextEnabled(window));
    EXPECT_EQ(Control(window, I::kBitBtn1), FocusedControl(window));

    const std::wstring target = targets.Path() + L"Vantrel\\Velandra";
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    ExpectBox(process.AnswerMessageBox(IDYES), L"Folder " + target + L" nie istnieje Czy go utworzyć",
              kFolderCaption, {IDYES, IDNO});
    ExpectSuccessAndEnd();
    ExpectInstalled(target);
    ExpectShortcutsTo(target);
}

TEST_F(InstallE2E, ReinstallationKeepsTheUsersDataAndReplacesTheProgram) {
    const std::wstring target = targets.Path() + L"Velandra";
    CopyTree(medium.RunImage(), target + L"\\");
    SetFileAttributesW((target + L"\\Vel.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW((target + L"\\Dane\\tablica.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    std::ofstream((target + L"\\Vel.exe").c_str(), std::ios::binary) << "3.50";
    std::ofstream((target + L"\\Dane\\tablica.ini").c_str(), std::ios::binary) << "[Tablica]\r\nAdres=7\r\n";

    HWND window = OpenInstallWindow();
    SetTarget(window, target);
    Click(window, I::kBitBtn3);  // the folder exists: no question
    ExpectSuccessAndEnd();
    EXPECT_EQ(ReadBytes(medium.RunImage() + L"Vel.exe"), ReadBytes(target + L"\\Vel.exe"));
    EXPECT_EQ("[Tablica]\r\nAdres=7\r\n", ReadBytes(target + L"\\Dane\\tablica.ini"));
    ExpectShortcutsTo(target);
}

TEST_F(InstallE2E, ARunningProgramStopsTheCopyUntilItEnds) {
    const std::wstring target = targets.Path() + L"Velandra";
    CopyTree(medium.RunImage(), target + L"\\");
    const std::wstring installed = target + L"\\Vel.exe";
    SetFileAttributesW(installed.c_str(), FILE_ATTRIBUTE_NORMAL);
    // An older build: the same program with bytes after its image, which the loader ignores.
    std::ofstream(installed.c_str(), std::ios::binary | std::ios::app) << "3.50";
    Process program = Process::Launch(installed);
    program.WaitWindow(kProgramCaption);

    HWND window = OpenInstallWindow();
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    ExpectBox(process.AnswerMessageBox(IDOK),
              L"Nie udało się skopiować plików:\n\nPrzyczyna: plik jest używany przez inny program.\nVel.exe"
              L"\nZamknij program Velandra i kliknij 'Dalej >', aby spróbować ponownie.",
              kInstallerCaption, {IDOK});
    EXPECT_TRUE(process.Running());
    EXPECT_TRUE(WaitUntil([&] { return NextEnabled(window); }));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(DesktopLink().c_str()));

    CloseBox(program.WaitWindow(kProgramCaption));
    program.WaitExit();
    Click(window, I::kBitBtn3);
    ExpectSuccessAndEnd();
    EXPECT_EQ(ReadBytes(medium.RunImage() + L"Vel.exe"), ReadBytes(installed));
    ExpectShortcutsTo(target);
}

TEST_F(InstallE2E, AFolderTheFileSystemRefusesIsReported) {
    HWND window = OpenInstallWindow();
    const std::wstring target = L"C:\\Vel|x";
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    ExpectBox(process.AnswerMessageBox(IDYES), L"Folder " + target + L" nie istnieje Czy go utworzyć",
              kFolderCaption, {IDYES, IDNO});
    ExpectBox(process.AnswerMessageBox(IDOK),
              L"Utworzenie katalogu \n" + target +
                  L"\n nie powiodło się\nPrzyczyna: nazwa folderu jest nieprawidłowa (nie może zawierać znaków : * ? "
                  L"\" < > |).",
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

TEST_F(InstallE2E, AnInstallationKilledMidFileLeavesNoPartFileAndTheNextOneIsWhole) {
    // A large file off the overwrite list: once it exists it is never copied again.
    const std::wstring big = L"Dane\\mapa.bin";
    {
        std::ofstream out((medium.RunImage() + big).c_str(), std::ios::binary);
        std::string block(1 << 20, '\0');
        for (int i = 0; i < 192; ++i) {
            block[0] = static_cast<char>(i);
            out.write(block.data(), static_cast<std::streamsize>(block.size()));
        }
    }
    const std::wstring target = targets.Path() + L"Velandra";
    CreateDirectoryW(target.c_str(), nullptr);
    HWND window = OpenInstallWindow();
    SetTarget(window, target);
    Click(window, I::kBitBtn3);
    // Killed while the big file is being written.
    ASSERT_TRUE(WaitUntil([&] { return !FilesIn(target + L"\\~vel_instaluj.tmp", L"*.part").empty(); }, 20000))
        << "the copy of the big file was not seen";
    process.Kill();
    process.WaitExit();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((target + L"\\" + big).c_str()))
        << "no truncated file under its name";

    HWND again = OpenInstallWindow();
    SetTarget(again, target);
    Click(again, I::kBitBtn3);
    ExpectSuccessAndEnd();
    ExpectInstalled(target);  // every file whole, and nothing else in the folder
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
    EXPECT_EQ(SystemButtonText(IDOK), ReadText(Control(picker, IDOK)));
    EXPECT_EQ(SystemButtonText(IDCANCEL), ReadText(Control(picker, IDCANCEL)));
    RECT r{};
    GetWindowRect(picker, &r);
    EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (r.left + r.right) / 2, 1) << "centred across";
    EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (r.top + r.bottom) / 2, 1) << "centred down";
    Click(picker, IDOK);
    process.WaitGone(picker);
    process.WaitIdle(window);
    EXPECT_EQ(chosen, ReadText(Control(window, I::kEdit1)));

    // A folder that does not exist: cancel keeps the text ...
    const std::wstring missing = targets.Path() + L"brak";
    SetTarget(window, missing);
    Click(window, I::kBitBtn1);
    picker = WaitPicker(process, window);
    Click(picker, IDCANCEL);
    process.WaitGone(picker);
    process.WaitIdle(window);
    EXPECT_EQ(missing, ReadText(Control(window, I::kEdit1)));
    // ... and the picker had opened at the desktop.
    Click(window, I::kBitBtn1);
    picker = WaitPicker(process, window);
    Click(picker, IDOK);
    process.WaitGone(picker);
    process.WaitIdle(window);
    EXPECT_EQ(ShellFolder(CSIDL_DESKTOPDIRECTORY), ReadText(Control(window, I::kEdit1)));
}

}  // namespace
}  // namespace e2e
