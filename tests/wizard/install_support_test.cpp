// The path form and the failure text that need no window.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/error.h"
#include "wizard/install_support.h"

namespace {

TEST(CollapseKeepingNetworkPrefix, KeepsOnlyTheLeadingPair) {
    EXPECT_EQ(L"\\\\serwer\\dział\\Velandra\\", CollapseKeepingNetworkPrefix(L"\\\\serwer\\\\dział\\Velandra\\\\"));
    EXPECT_EQ(L"C:\\a\\b\\", CollapseKeepingNetworkPrefix(L"C:\\\\a\\\\b\\\\"));
    EXPECT_EQ(L"\\a", CollapseKeepingNetworkPrefix(L"\\a"));
    EXPECT_EQ(L"\\\\", CollapseKeepingNetworkPrefix(L"\\\\"));
    EXPECT_EQ(L"", CollapseKeepingNetworkPrefix(L""));
}

TEST(NotCopiedMessage, ListsAtMostTenFilesAndCountsTheRest) {
    std::vector<CopyFailure> failures;
    for (int i = 1; i <= 12; ++i) failures.push_back({L"Dane\\plik" + std::to_wstring(i) + L".dat", 32});
    std::wstring expected = L"Nie udało się skopiować plików:\n\nPrzyczyna: plik jest używany przez inny program.";
    for (int i = 1; i <= 10; ++i) expected += L"\nDane\\plik" + std::to_wstring(i) + L".dat";
    expected += L"\ni inne (2)\nZamknij program Velandra i kliknij 'Dalej >', aby spróbować ponownie.";
    EXPECT_EQ(expected, NotCopiedMessage(failures));

    failures.resize(10);
    EXPECT_EQ(std::wstring::npos, NotCopiedMessage(failures).find(L"i inne"));
}

TEST(NotCopiedMessage, GroupsTheFilesByCauseEachWithWhatToDo) {
    const std::vector<CopyFailure> failures = {
        {L"Vel.exe", ERROR_SHARING_VIOLATION},   {L"mapa.bin", ERROR_DISK_FULL},
        {L"wysw8.dll", ERROR_LOCK_VIOLATION},    {L"Dane\\a.ini", ERROR_ACCESS_DENIED},
        {L"help.cnt", ERROR_HANDLE_DISK_FULL},   {L"VELHELP.HLP", ERROR_FILE_READ_ONLY},
        {L"zly.dat", ERROR_CRC, true},           {L"inny.dat", ERROR_INVALID_PARAMETER},
    };
    // Anything else is told in the system's own words, without its full stop.
    std::wstring system = base::SystemErrorText(ERROR_INVALID_PARAMETER);
    ASSERT_FALSE(system.empty());
    if (system.back() == L'.') system.pop_back();
    EXPECT_EQ(L"Nie udało się skopiować plików:"
              L"\n\nPrzyczyna: plik jest używany przez inny program.\nVel.exe\nwysw8.dll"
              L"\nZamknij program Velandra i kliknij 'Dalej >', aby spróbować ponownie."
              L"\n\nPrzyczyna: brak miejsca na dysku.\nmapa.bin\nhelp.cnt"
              L"\nZwolnij miejsce na dysku lub wybierz folder na innym dysku i kliknij 'Dalej >'."
              L"\n\nPrzyczyna: brak uprawnień do zapisu.\nDane\\a.ini"
              L"\nWybierz inny folder lub uruchom instalator jako administrator."
              L"\n\nPrzyczyna: plik jest tylko do odczytu.\nVELHELP.HLP"
              L"\nWyłącz we właściwościach pliku atrybut 'Tylko do odczytu' i kliknij 'Dalej >', aby spróbować ponownie."
              L"\n\nPrzyczyna: nie można odczytać pliku instalacyjnego.\nzly.dat"
              L"\nPliki instalacyjne są uszkodzone. Uruchom instalator z innej kopii nośnika."
              L"\n\nPrzyczyna: " + system + L".\ninny.dat\nUsuń przyczynę i kliknij 'Dalej >', aby spróbować ponownie.",
              NotCopiedMessage(failures));
}

TEST(MissingShortcutsLine, SaysWhichShortcutIsMissingAndWhereTheProgramIs) {
    const std::wstring program = L"C:\\Program Files\\Vantrel\\Velandra\\vel.exe";
    EXPECT_EQ(L"", MissingShortcutsLine(true, true, program));
    EXPECT_EQ(L"\nNie udało się utworzyć skrótu na pulpicie; program uruchomisz plikiem " + program + L".",
              MissingShortcutsLine(false, true, program));
    EXPECT_EQ(L"\nNie udało się utworzyć skrótu w menu Start; program uruchomisz plikiem " + program + L".",
              MissingShortcutsLine(true, false, program));
    EXPECT_EQ(L"\nNie udało się utworzyć skrótów na pulpicie i w menu Start; program uruchomisz plikiem " +
                  program + L".",
              MissingShortcutsLine(false, false, program));
}

TEST(AbsoluteFolder, ResolvesOnlyRelativePaths) {
    wchar_t current[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_GT(length, 0u);
    std::wstring here(current, length);
    if (here.back() != L'\\') here += L'\\';
    EXPECT_EQ(here + L"Vel", AbsoluteFolder(L"Vel"));
    EXPECT_EQ(here + L"a\\b", AbsoluteFolder(L".\\a\\b"));
    EXPECT_EQ(here.substr(0, 3) + L"Vel", AbsoluteFolder(L"\\Vel")) << "the current drive's root";
    // Absolute paths keep their doubled backslashes for the later collapse.
    for (const wchar_t* kept : {L"C:\\a\\\\b", L"\\\\serwer\\dział", L"D:/x", L""})
        EXPECT_EQ(kept, AbsoluteFolder(kept));
}

TEST(FolderFailureLine, NamesTheCause) {
    EXPECT_EQ(L"Przyczyna: brak uprawnień do zapisu. Wybierz inny folder lub uruchom instalator jako administrator.",
              FolderFailureLine(L"C:\\Program Files\\Vantrel", ERROR_ACCESS_DENIED));
    EXPECT_EQ(L"Przyczyna: nazwa folderu jest nieprawidłowa (nie może zawierać znaków : * ? \" < > |).",
              FolderFailureLine(L"C:\\Vel|x", ERROR_INVALID_NAME));
    EXPECT_EQ(L"Przyczyna: brak miejsca na dysku.", FolderFailureLine(L"C:\\Vel", ERROR_DISK_FULL));
    EXPECT_EQ(L"Przyczyna: dysk jest zabezpieczony przed zapisem.", FolderFailureLine(L"C:\\Vel", ERROR_WRITE_PROTECT));
}

}  // namespace
