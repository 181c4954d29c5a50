#pragma once
// The installer's texts as the tests expect to see them, written once for
// the window tests and the end-to-end scenarios alike.
#include <string>

#include "tests/support/payload.h"

namespace testing_support {

inline constexpr wchar_t kWelcomeCaption[] = L"Program instalacyjny aplikacja Velandra - Witamy";
inline constexpr wchar_t kLicenceCaption[] = L"Program instalacyjny aplikacji Velandra - licencja";
// The install window's caption, also the caption of the exit question and of
// the installation's error boxes.
inline constexpr wchar_t kInstallerCaption[] = L"Instalator programu Velandra";
inline constexpr wchar_t kExitQuestion[] = L"Instalacja niekompletna - czy jesteś pewien, że chcesz przerwać?";
// The question whether to create the target folder, and its failure.
inline constexpr wchar_t kFolderCaption[] = L"Zapis katalogu";
inline std::wstring FolderQuestion(const std::wstring& typed) {
    return L"Folder " + typed + L" nie istnieje Czy go utworzyć";
}
inline std::wstring FolderFailure(const std::wstring& folder, const std::wstring& cause) {
    return L"Utworzenie katalogu \n" + folder + L"\n nie powiodło się\nPrzyczyna: " + cause;
}
inline constexpr wchar_t kSuccessText[] = L"Program Velandra został zainstalowany pomyślnie";
inline constexpr wchar_t kSuccessCaption[] = L"Instalacja zakończona";

// The copy stopped by the installed program, still running.
inline const std::wstring kProgramInUseText =
    L"Nie udało się skopiować plików:\n\nPrzyczyna: plik jest używany przez inny program.\n" + kProgramFile +
    L"\nZamknij program Velandra i kliknij 'Dalej >', aby spróbować ponownie.";

// An installer started without its medium beside it: where it looked, and
// what to do, which depends on whether it seems to run from inside a ZIP
// archive.
inline std::wstring NoMediumText(const std::wstring& medium, const std::wstring& advice) {
    return L"Nie znaleziono plików instalacyjnych w folderze\n" + medium + L"\nNic nie zostało zainstalowane. " + advice;
}
inline constexpr wchar_t kNoMediumAdvice[] =
    L"Uruchom instalator z folderu, w którym leży folder RunImage z plikami programu.";
inline std::wstring UnpackAdvice(const std::wstring& exeName) {
    return L"Instalator został chyba uruchomiony z wnętrza archiwum ZIP. Rozpakuj całe archiwum (polecenie "
           L"'Wyodrębnij wszystkie') i uruchom " + exeName + L" z rozpakowanego folderu.";
}

inline constexpr wchar_t kNextText[] = L"Dalej >";
inline constexpr wchar_t kExitText[] = L"Zakończ";

}  // namespace testing_support
