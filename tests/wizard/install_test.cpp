// Next in the install window: the copy, its failures, and the success path.
#include "tests/wizard/install_window.h"
#include "base/handles.h"
#include "ui/message.h"
#include "wizard/install_support.h"

using engine::CreateFolderTree;
using engine::FolderExists;

using namespace testing_support;

namespace inst_test {
namespace {


class Install : public InstallWindow {
protected:
    // Opens the window on an existing target folder, so no question comes first.
    void OpenOn(const std::wstring& target) {
        CreateFolderTree(target);
        Open();
        Type(target);
    }
    // Types a folder that is not there yet, agrees to its creation and to the
    // success message, and presses Next.
    void InstallIntoNewFolder(const std::wstring& typed) {
        Type(typed);
        messages.Answer(IDYES);
        messages.Answer(IDOK);
        ASSERT_TRUE(Click(win->BitBtn3));
    }
    void ExpectInstalledIn(const std::wstring& target) {
        for (const auto& [name, content] : RunImageBeside::Files())
            EXPECT_EQ(content, ReadText(target + L"\\" + name)) << "file " << testing::PrintToString(name);
    }
    void ExpectNoLinks() {
        for (int id : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY})
            EXPECT_FALSE(IsFile(DesktopLink(id)));
        for (int id : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) EXPECT_FALSE(IsFile(MenuLink(id)));
    }
    void ExpectInstallError(const std::wstring& text) {
        ASSERT_GE(messages.Count(), 1u);
        EXPECT_EQ(text, messages.Last().text);
        ExpectInstallErrorBox();
    }
    // An error box of the installation whatever its text; the window stays for another try.
    void ExpectInstallErrorBox() {
        ASSERT_GE(messages.Count(), 1u);
        EXPECT_EQ(kInstallerCaption, messages.Last().caption);
        EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), messages.Last().type);
        EXPECT_FALSE(Ended());
        EXPECT_TRUE(win->BitBtn3.Enabled()) << "Next stays available for another try";
    }
};

TEST_F(Install, TypicalRunCreatesTheFolderCopiesLinksAndEnds) {
    Open();
    const std::wstring target = DefaultTarget();
    messages.Answer(IDYES);
    messages.Answer(IDOK);
    ASSERT_TRUE(Click(win->BitBtn3));
    ASSERT_EQ(2u, messages.Count());
    EXPECT_EQ(kFolderCaption, messages.Asked()[0].caption);
    EXPECT_EQ(kSuccessText, messages.Last().text);
    EXPECT_EQ(kSuccessCaption, messages.Last().caption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), messages.Last().type);
    EXPECT_TRUE(Ended());

    ExpectInstalledIn(target);
    EXPECT_EQ(RunImageBeside::Files().size(), FilesBelow(target).size());
    ExpectLinkTo(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), target);
    ExpectLinkTo(MenuLink(CSIDL_COMMON_PROGRAMS), target);
    EXPECT_FALSE(IsFile(DesktopLink(CSIDL_DESKTOPDIRECTORY)));
    EXPECT_FALSE(IsFile(MenuLink(CSIDL_PROGRAMS)));
}

TEST_F(Install, ReinstallationKeepsTheUsersDataAndReplacesTheProgram) {
    const std::wstring target = scratch / L"Velandra";
    WriteText(target + L"\\" + kProgramFile, "program 3.50");
    WriteText(target + L"\\" + kSettingsFile, "ustawienia użytkownika");
    WriteText(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), "stary skrót");
    OpenOn(target);
    messages.Answer(IDOK);
    ASSERT_TRUE(Click(win->BitBtn3));
    ASSERT_EQ(1u, messages.Count());
    EXPECT_EQ(kSuccessText, messages.Last().text) << "kept files are no failure";
    EXPECT_EQ("program 3.51", ReadText(target + L"\\" + kProgramFile));
    EXPECT_EQ("ustawienia użytkownika", ReadText(target + L"\\" + kSettingsFile));
    ExpectLinkTo(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), target);
}

TEST_F(Install, AProgramFileInUseStopsWithAMessageAndNextTriesAgain) {
    const std::wstring target = scratch / L"Velandra";
    WriteText(target + L"\\" + kProgramFile, "program 3.50");
    OpenOn(target);
    {
        // What a running Vel.exe does to its own file.
        base::ScopedFile held(CreateFileW((target + L"\\" + kProgramFile).c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        ASSERT_TRUE(Click(win->BitBtn3));
        ExpectInstallError(kProgramInUseText);
        EXPECT_EQ(1u, messages.Count()) << "no success message";
        ExpectNoLinks();
    }
    messages.Answer(IDOK);
    ASSERT_TRUE(Click(win->BitBtn3));
    EXPECT_EQ(kSuccessText, messages.Last().text);
    EXPECT_EQ("program 3.51", ReadText(target + L"\\" + kProgramFile));
    EXPECT_TRUE(IsFile(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY)));
}

TEST_F(Install, WithoutRunImageNothingIsInstalled) {
    const std::wstring source = runImage.path();
    RemoveTree(source.substr(0, source.size() - 1));
    const std::wstring target = scratch / L"Velandra";
    OpenOn(target);
    ASSERT_TRUE(Click(win->BitBtn3));
    ExpectInstallError(NoMediumText(InstallerFolder() + L"RunImage\\", kNoMediumAdvice));
    EXPECT_EQ(1u, messages.Count());
    ExpectNoLinks();
}

TEST_F(Install, AFolderUnderTheTargetThatCannotBeMadeStopsTheInstallation) {
    const std::wstring target = scratch / L"Velandra";
    WriteText(target + L"\\" + kDataFolder, "a file where the data folder should go");
    OpenOn(target);
    ASSERT_TRUE(Click(win->BitBtn3));
    ExpectInstallError(L"Nie można utworzyć folderu w katalogu\n" + target +
                       L"\\\nNic nie zostało zainstalowane.\nPrzyczyna: w miejscu folderu jest plik " + target +
                       L"\\" + kDataFolder + L".");
    EXPECT_EQ(1u, messages.Count());
    ExpectNoLinks();
}

TEST_F(Install, DoubledAndTrailingBackslashesCollapseInCopyAndLinks) {
    Open();
    // The scratch path has no doubled backslashes of its own.
    const std::wstring typed = scratch.path() + L"\\\\inst\\\\deep\\";
    const std::wstring clean = scratch / L"inst\\deep";
    InstallIntoNewFolder(typed);
    ASSERT_EQ(2u, messages.Count());
    EXPECT_EQ(FolderQuestion(typed), messages.Asked()[0].text)
        << "the question shows the path as typed";
    EXPECT_EQ(kSuccessText, messages.Last().text);
    ExpectInstalledIn(clean);
    ExpectLinkTo(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), clean);
    ExpectLinkTo(MenuLink(CSIDL_COMMON_PROGRAMS), clean);
}

TEST_F(Install, ALeadingPairOfBackslashesIsKept) {
    // Wine has no network shares; the device form \\.\C:\... starts with the
    // same pair and breaks in the same way when the pair is collapsed.
    Open();
    const std::wstring typed = L"\\\\.\\" + scratch.path() + L"\\\\siec";
    const std::wstring kept = L"\\\\.\\" + scratch.path() + L"\\siec";
    InstallIntoNewFolder(typed);
    EXPECT_EQ(kSuccessText, messages.Last().text);
    ExpectInstalledIn(scratch / L"siec");
    ExpectLinkTo(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), kept);
}

// Pasted with a space at the end, or typed with a dot: the folder Windows
// makes of it is the one everything uses.
TEST_F(Install, TrailingSpacesAndDotsGoFromEveryName) {
    Open();
    const std::wstring typed = L" " + scratch.path() + L"\\Vantrel. \\Velandra. ";
    const std::wstring clean = scratch / L"Vantrel\\Velandra";
    InstallIntoNewFolder(typed);
    ASSERT_EQ(2u, messages.Count());
    EXPECT_EQ(FolderQuestion(typed), messages.Asked()[0].text);
    EXPECT_EQ(kSuccessText, messages.Last().text);
    ExpectInstalledIn(clean);
    std::vector<std::wstring> installed;
    for (const auto& [name, content] : RunImageBeside::Files()) installed.push_back(L"Velandra\\" + name);
    EXPECT_EQ(installed, FilesBelow(scratch / L"Vantrel")) << "nothing beside the one folder";
    ExpectLinkTo(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), clean);
}

// Explorer's "Copy as path" gives it in double quotes.
TEST_F(Install, APastedQuotedPathIsTakenWithoutTheQuotes) {
    Open();
    const std::wstring clean = scratch / L"Wklejony\\Velandra";
    InstallIntoNewFolder(L" \"" + clean + L"\"\r\n");
    ASSERT_EQ(2u, messages.Count());
    EXPECT_EQ(FolderQuestion(clean), messages.Asked()[0].text);
    EXPECT_EQ(kSuccessText, messages.Last().text);
    ExpectInstalledIn(clean);
    ExpectLinkTo(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), clean);
    ExpectLinkTo(MenuLink(CSIDL_COMMON_PROGRAMS), clean);
}

// What the installation made, and only that, goes again: a folder that was
// there before stays, and so does one that holds something by then.
TEST_F(Install, OnlyTheEmptyFoldersTheInstallationMadeAreRemoved) {
    const std::wstring disk = scratch / L"dysk";
    MakeFolders(disk + L"\\bylo");
    Installation first(InstallTarget(disk + L"\\bylo\\a\\b"), MediumFolder());
    ASSERT_TRUE(first.CreateTarget());
    first.RemoveCreatedFolders();
    EXPECT_EQ(std::vector<std::wstring>{L"bylo\\"}, FilesBelow(disk));

    Installation second(InstallTarget(disk + L"\\nowy\\a"), MediumFolder());
    ASSERT_TRUE(second.CreateTarget());
    WriteText(disk + L"\\nowy\\a\\plik.txt", "put there meanwhile");
    second.RemoveCreatedFolders();
    EXPECT_EQ((std::vector<std::wstring>{L"bylo\\", L"nowy\\a\\plik.txt"}), FilesBelow(disk));
}

// The medium's own folder, or one below it: the copy would read what it
// writes. Refused before anything is made, and Next waits for another folder.
TEST_F(Install, ATargetInsideTheMediumIsRefused) {
    const std::wstring medium = InstallerFolder() + L"RunImage\\";
    Open();
    for (const std::wstring& typed : {runImage.path(), runImage.path() + L"Velandra\\nowy"}) {
        SCOPED_TRACE(testing::PrintToString(typed));
        Type(typed);
        ASSERT_TRUE(Click(win->BitBtn3));
        ASSERT_GE(messages.Count(), 1u);
        EXPECT_EQ(L"Folder\n" + typed + L"\nleży w folderze z plikami instalacyjnymi\n" + medium +
                      L"\nNie można w nim zainstalować programu. Wybierz inny folder i kliknij 'Dalej >'.",
                  messages.Last().text);
        EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), messages.Last().type);
        EXPECT_FALSE(win->BitBtn3.Enabled());
    }
    EXPECT_EQ(2u, messages.Count()) << "no question first";
    EXPECT_FALSE(FolderExists(runImage.path() + L"Velandra"));
    EXPECT_EQ(RunImageBeside::Files().size(), FilesBelow(runImage.path()).size()) << "the medium as it was";
    ExpectNoLinks();
}

TEST_F(Install, AMediumWithoutTheProgramIsTreatedAsNoMedium) {
    const std::wstring missing = NoMediumText(InstallerFolder() + L"RunImage\\", kNoMediumAdvice);
    const std::wstring target = scratch / L"Velandra";
    DeleteFileW((runImage.path() + kProgramFile).c_str());
    OpenOn(target);
    ASSERT_TRUE(Click(win->BitBtn3));
    ExpectInstallError(missing);
    // An empty one, too.
    for (const auto& [name, content] : RunImageBeside::Files()) DeleteFileW((runImage.path() + name).c_str());
    ASSERT_TRUE(Click(win->BitBtn3));
    ExpectInstallError(missing);
    EXPECT_EQ(2u, messages.Count());
    EXPECT_EQ(std::vector<std::wstring>{}, FilesBelow(target)) << "nothing copied";
    ExpectNoLinks();
}

TEST_F(Install, ARelativeFolderIsInstalledUnderTheCurrentFolderWithFullPathsInTheLinks) {
    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(scratch.path().c_str()));
    Open();
    Type(L"Wzgledny\\Vel");
    messages.Answer(IDYES);
    messages.Answer(IDOK);
    const bool clicked = Click(win->BitBtn3);
    SetCurrentDirectoryW(before);
    ASSERT_TRUE(clicked);
    EXPECT_EQ(kSuccessText, messages.Last().text);
    const std::wstring full = scratch / L"Wzgledny\\Vel";
    ExpectInstalledIn(full);
    ExpectLinkTo(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY), full);
    ExpectLinkTo(MenuLink(CSIDL_COMMON_PROGRAMS), full);
}

TEST_F(Install, ShortcutsThatCanBeSavedNowhereAreNamedInTheSuccessMessage) {
    for (int id : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS})
        shell.Set(id, scratch / L"brak\\" + std::to_wstring(id));
    WriteText(scratch / L"brak", "a file: no folder can be made below it");
    const std::wstring target = scratch / L"Velandra";
    OpenOn(target);
    messages.Answer(IDOK);
    ASSERT_TRUE(Click(win->BitBtn3));
    EXPECT_EQ(std::wstring(kSuccessText) + L"\nNie udało się utworzyć skrótów na pulpicie i w menu Start; program "
                                       L"uruchomisz plikiem " + target + L"\\" + kLinkedProgramFile + L".",
              messages.Last().text);
    EXPECT_TRUE(Ended());
}

TEST_F(Install, AnExistingFolderWithoutWriteRightsIsNamedAsSuch) {
    const std::wstring target = scratch / L"Velandra";
    CreateFolderTree(target);
    WritesDenied denied(target);
    if (!denied.enforced()) GTEST_SKIP() << "this user may write anywhere (root)";
    OpenOn(target);
    ASSERT_TRUE(Click(win->BitBtn3));
    // The payload's data folder is the first thing that cannot be made.
    ExpectInstallError(L"Nie można utworzyć folderu w katalogu\n" + target +
                       L"\\\nNic nie zostało zainstalowane.\nPrzyczyna: brak uprawnień do zapisu. Wybierz inny "
                       L"folder lub uruchom instalator jako administrator.");
    ExpectNoLinks();
}

// The small disk is prepared by the test script as root; without it there is
// no full disk to meet.
#define SKIP_WITHOUT_SMALL_DISK(disk) \
    if (!(disk).available()) GTEST_SKIP() << "no small file system (VEL_SMALL_DISK)"

// The room the copy needs is compared with the room free before anything is
// written: a disk too small is said at once, in figures, and the folders made
// on request go again.
TEST_F(Install, ADiskTooSmallIsToldBeforeAnythingIsWrittenAndTheRetryInstalls) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const std::wstring made = disk / L"Vantrel";
    const std::wstring target = made + L"\\Velandra";
    disk.Fill();
    Open();
    Type(target);
    messages.Answer(IDYES);
    ASSERT_TRUE(Click(win->BitBtn3));
    ASSERT_EQ(2u, messages.Count()) << "the folder question, then the shortfall";
    wchar_t volume[MAX_PATH] = {};
    ASSERT_TRUE(GetVolumePathNameW(target.c_str(), volume, MAX_PATH));
    // The sample's few small files round up to a cluster each, with a
    // megabyte for the folders: two megabytes, of none free.
    ExpectInstallError(L"Za mało miejsca na dysku " + std::wstring(volume) +
                       L".\nPotrzeba 2 MB, wolne jest 0 MB.\nZwolnij miejsce na dysku lub wybierz folder na innym "
                       L"dysku i kliknij 'Dalej >'.");
    EXPECT_FALSE(FolderExists(made)) << "the folders made on request are gone";

    disk.Free();
    messages.Answer(IDYES);
    messages.Answer(IDOK);
    ASSERT_TRUE(Click(win->BitBtn3));
    EXPECT_EQ(kSuccessText, messages.Last().text);
    ExpectInstalledIn(target);
    EXPECT_EQ(RunImageBeside::Files().size(), FilesBelow(target).size()) << "no leftovers";
}

}  // namespace
}  // namespace inst_test
