// The texts that tell the user what became of an installation.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/error.h"
#include "tests/support/payload.h"
#include "tests/support/scratch.h"
#include "wizard/install_support.h"
#include "wizard/texts.h"

using testing_support::kHelpContentsFile;
using testing_support::kHelpFile;
using testing_support::kLibraryFile;
using testing_support::kLinkedProgramFile;
using testing_support::kProgramFile;
using testing_support::kReadmeFile;
using testing_support::kTextsFile;

using engine::CopyFailure;
using engine::kErrorFolderInTheWay;
using engine::Seal;

namespace {

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
        {kProgramFile, ERROR_SHARING_VIOLATION},  {L"mapa.bin", ERROR_DISK_FULL},
        {kLibraryFile, ERROR_LOCK_VIOLATION},     {L"Dane\\a.ini", ERROR_ACCESS_DENIED},
        {L"help.cnt", ERROR_HANDLE_DISK_FULL},    {kHelpFile, ERROR_FILE_READ_ONLY},
        {L"zly.dat", ERROR_CRC, true},            {L"inny.dat", ERROR_INVALID_PARAMETER},
        {kReadmeFile, kErrorFolderInTheWay},      {L"Dane\\bardzo długa nazwa", ERROR_FILENAME_EXCED_RANGE},
        // Codes Wine does not give for a medium taken out: a disc, a stick, a share.
        {L"Dane\\mapa.bin", ERROR_NOT_READY, true}, {kHelpFile, ERROR_FILE_NOT_FOUND, true},
        {kHelpContentsFile, ERROR_NETNAME_DELETED, true},
        // A file of the medium that another program holds is no damage.
        {kTextsFile, ERROR_SHARING_VIOLATION, true}, {kLibraryFile, ERROR_LOCK_VIOLATION, true},
    };
    // Anything else is told in the system's own words, without its full stop.
    std::wstring system = base::SystemErrorText(ERROR_INVALID_PARAMETER);
    ASSERT_FALSE(system.empty());
    if (system.back() == L'.') system.pop_back();
    EXPECT_EQ(L"Nie udało się skopiować plików:"
              L"\n\nPrzyczyna: plik jest używany przez inny program.\n" + kProgramFile + L"\n" + kLibraryFile +
              L"\nZamknij program Velandra i kliknij 'Dalej >', aby spróbować ponownie."
              L"\n\nPrzyczyna: brak miejsca na dysku.\nmapa.bin\nhelp.cnt"
              L"\nZwolnij miejsce na dysku lub wybierz folder na innym dysku i kliknij 'Dalej >'."
              L"\n\nPrzyczyna: brak uprawnień do zapisu.\nDane\\a.ini"
              L"\nWybierz inny folder lub uruchom instalator jako administrator."
              L"\n\nPrzyczyna: plik jest tylko do odczytu.\n" + kHelpFile +
              L"\nWyłącz we właściwościach pliku atrybut 'Tylko do odczytu' i kliknij 'Dalej >', aby spróbować ponownie."
              L"\n\nPrzyczyna: nie można odczytać pliku instalacyjnego.\nzly.dat"
              L"\nPliki instalacyjne są uszkodzone. Uruchom instalator z innej kopii nośnika."
              L"\n\nPrzyczyna: " + system + L".\ninny.dat\nUsuń przyczynę i kliknij 'Dalej >', aby spróbować ponownie."
              L"\n\nPrzyczyna: w miejscu pliku jest folder.\n" + kReadmeFile +
              L"\nPrzenieś lub usuń ten folder i kliknij 'Dalej >', aby spróbować ponownie."
              L"\n\nPrzyczyna: ścieżka jest za długa.\nDane\\bardzo długa nazwa"
              L"\nWybierz folder o krótszej ścieżce i kliknij 'Dalej >'."
              L"\n\nPrzyczyna: nośnik z plikami instalacyjnymi jest niedostępny.\nDane\\mapa.bin\n" + kHelpFile +
              L"\n" + kHelpContentsFile + L"\nWłóż ponownie nośnik z instalatorem (płytę lub pamięć USB) i kliknij 'Dalej >'."
              L"\n\nPrzyczyna: plik instalacyjny jest używany przez inny program.\n" + kTextsFile + L"\n" + kLibraryFile +
              L"\nZamknij program, który używa tego pliku, i kliknij 'Dalej >', aby spróbować ponownie.",
              NotCopiedMessage(failures));
}

// Explorer runs an exe opened inside a ZIP archive from a folder named after
// the archive in the temporary folder.
TEST(StartedFromArchive, InTheTemporaryFolderHoweverSpeltOrInAFolderNamedZip) {
    const testing_support::ScratchFolder temp(L"vel-temporary");  // a long name, which has a short form
    wchar_t shortName[MAX_PATH] = {};
    ASSERT_NE(0u, GetShortPathNameW(temp.path().c_str(), shortName, MAX_PATH));
    ASSERT_NE(temp.path(), shortName);
    testing_support::MakeFolders(temp / L"Temp1_velandra\\Velandra");
    std::wstring upper = temp / L"TEMP1_VELANDRA\\";
    EXPECT_TRUE(StartedFromArchive(upper, std::wstring(shortName) + L"\\"));
    EXPECT_TRUE(StartedFromArchive(shortName, temp.path()));
    EXPECT_FALSE(StartedFromArchive(temp.path() + L"2\\", temp.path())) << "a sibling with a longer name";
    EXPECT_TRUE(StartedFromArchive(L"D:\\Pobrane\\Velandra.ZIP\\Instalator\\", temp.path()));
    EXPECT_FALSE(StartedFromArchive(L"D:\\Pobrane\\Velandra.zipped\\", temp.path()));
    EXPECT_FALSE(StartedFromArchive(L"D:\\Pobrane\\Velandra\\", temp.path()));
}

TEST(SystemWords, AreTheSystemsOwnOrNameTheCode) {
    EXPECT_EQ(base::SystemErrorText(ERROR_FILE_NOT_FOUND), SystemWords(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(L"Błąd systemu 3735928559", SystemWords(0xDEADBEEF)) << "a code the system does not know";
}

TEST(MissingShortcutsLine, SaysWhichShortcutIsMissingAndWhereTheProgramIs) {
    const std::wstring program = L"C:\\Program Files\\Vantrel\\Velandra\\" + kLinkedProgramFile;
    EXPECT_EQ(L"", MissingShortcutsLine(true, true, program));
    EXPECT_EQ(L"\nNie udało się utworzyć skrótu na pulpicie; program uruchomisz plikiem " + program + L".",
              MissingShortcutsLine(false, true, program));
    EXPECT_EQ(L"\nNie udało się utworzyć skrótu w menu Start; program uruchomisz plikiem " + program + L".",
              MissingShortcutsLine(true, false, program));
    EXPECT_EQ(L"\nNie udało się utworzyć skrótów na pulpicie i w menu Start; program uruchomisz plikiem " +
                  program + L".",
              MissingShortcutsLine(false, false, program));
}

TEST(FolderFailureLine, NamesTheCause) {
    EXPECT_EQ(L"Przyczyna: brak uprawnień do zapisu. Wybierz inny folder lub uruchom instalator jako administrator.",
              FolderFailureLine(InstallTarget(L"C:\\Program Files\\Vantrel"), ERROR_ACCESS_DENIED));
    EXPECT_EQ(L"Przyczyna: nazwa folderu jest nieprawidłowa (nie może zawierać znaków : * ? \" < > |).",
              FolderFailureLine(InstallTarget(L"C:\\Vel|x"), ERROR_INVALID_NAME));
    EXPECT_EQ(L"Przyczyna: brak miejsca na dysku.", FolderFailureLine(InstallTarget(L"C:\\Vel"), ERROR_DISK_FULL));
    EXPECT_EQ(L"Przyczyna: dysk jest zabezpieczony przed zapisem.",
              FolderFailureLine(InstallTarget(L"C:\\Vel"), ERROR_WRITE_PROTECT));
    EXPECT_EQ(L"Przyczyna: ścieżka jest za długa. Wybierz folder o krótszej ścieżce i kliknij 'Dalej >'.",
              FolderFailureLine(InstallTarget(L"C:\\Vel"), ERROR_FILENAME_EXCED_RANGE));
    // Whatever the system answers for a device name (Wine: "invalid handle").
    EXPECT_EQ(L"Przyczyna: nazwa CON jest zarezerwowana przez system Windows.",
              FolderFailureLine(InstallTarget(L"C:\\CON"), ERROR_INVALID_HANDLE));
    EXPECT_EQ(L"Przyczyna: nazwa com1.txt jest zarezerwowana przez system Windows.",
              FolderFailureLine(InstallTarget(L"C:\\Vantrel\\com1.txt\\Velandra"), ERROR_INVALID_NAME));
    EXPECT_EQ(L"Przyczyna: nie podano nazwy folderu.", FolderFailureLine(InstallTarget(L"  "), ERROR_PATH_NOT_FOUND));
}

}  // namespace

TEST(DamagedMediumMessage, NamesTheFirstFilesOfEachKindAndWhatToDo) {
    Seal::Damage damage;
    damage.missing = {kReadmeFile};
    for (int i = 1; i <= 7; ++i) damage.extra.push_back(L"obcy" + std::to_wstring(i) + L".txt");
    EXPECT_EQ(L"Pliki instalacyjne są uszkodzone lub niekompletne.\n\nBrakuje plików:\n" + kReadmeFile +
              L"\n\nNadmiarowe pliki:\nobcy1.txt\nobcy2.txt\nobcy3.txt\nobcy4.txt\nobcy5.txt\ni inne (2)"
              L"\n\nSkopiuj nośnik instalacyjny jeszcze raz lub pobierz instalator ponownie i uruchom go z nowej kopii.",
              DamagedMediumMessage(damage));
    EXPECT_EQ(L"Pliki instalacyjne są uszkodzone lub niekompletne.\n\nZmienione pliki:\n" + kLibraryFile +
              L"\n\nSkopiuj nośnik instalacyjny jeszcze raz lub pobierz instalator ponownie i uruchom go z nowej kopii.",
              DamagedMediumMessage({{}, {kLibraryFile}, {}}));
}
