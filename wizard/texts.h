#pragma once
// Every text the installer's user can read: its whole vocabulary. Only the
// captions of a window's controls stand elsewhere, in that window's layout
// table. A text with parts to fill in names them %1, %2 ... (Fill); which text
// is said, and when, the units that show it decide.
#include <initializer_list>
#include <string>
#include <string_view>

#include "base/error.h"

enum class FailureCause;  // install_support.h

// pattern with %1 ... %9 replaced by parts[0] ... parts[8].
std::wstring Fill(const wchar_t* pattern, std::initializer_list<std::wstring_view> parts);

// ---- captions of the boxes
// The install window, the exit question and the installation's errors.
inline constexpr wchar_t kInstallerCaption[] = L"Instalator programu Velandra";
// The question whether to create the target folder, and its failure.
inline constexpr wchar_t kFolderCaption[] = L"Zapis katalogu";
inline constexpr wchar_t kInstalledCaption[] = L"Instalacja zakończona";

// ---- the pages
inline constexpr wchar_t kExitQuestion[] = L"Instalacja niekompletna - czy jesteś pewien, że chcesz przerwać?";
// The licence printout's name in the printer's queue.
inline constexpr wchar_t kPrintTitle[] = L"Wydruk licencji";
inline constexpr wchar_t kNoLicence[] = L"Resource Lic not found";
// %1: the system's error code.
inline constexpr wchar_t kAgreementUnreadable[] = L"Nie można odczytać tekstu umowy (błąd %1).";
// Told by an installer started while another one runs.
inline constexpr wchar_t kAlreadyRunningMessage[] =
    L"Instalator programu Velandra jest już uruchomiony.\nDokończ instalację w jego oknie albo je zamknij, a "
    L"potem uruchom instalator ponownie.";

// ---- the install window
// %1: the folder as typed.
inline constexpr wchar_t kFolderQuestion[] = L"Folder %1 nie istnieje Czy go utworzyć";
// %1: the folder as typed; %2: its CauseLine.
inline constexpr wchar_t kFolderNotCreated[] = L"Utworzenie katalogu \n%1\n nie powiodło się\n%2";
// A folder below the target that the copy could not make. %1: the target with
// its backslash; %2: the CauseLine.
inline constexpr wchar_t kFolderInTargetNotMade[] =
    L"Nie można utworzyć folderu w katalogu\n%1\nNic nie zostało zainstalowane.\n%2";
// Why a shutdown waits while the installer works.
inline constexpr wchar_t kBusyReason[] = L"Trwa instalacja programu Velandra.";
inline constexpr wchar_t kInstalled[] = L"Program Velandra został zainstalowany pomyślnie";
// The line the success message gains when a shortcut could be saved nowhere
// (with its leading line end); empty when both were saved.
std::wstring MissingShortcutsLine(bool desktopSaved, bool menuSaved, const std::wstring& program);
// A target volume (its root) with less room free than the copy needs (bytes).
std::wstring NoRoomMessage(const std::wstring& volume, unsigned long long needed, unsigned long long free);
// A target that is the medium's folder or lies below it. %1: the folder as
// typed; %2: the medium.
inline constexpr wchar_t kInsideMedium[] =
    L"Folder\n%1\nleży w folderze z plikami instalacyjnymi\n%2\nNie można w nim zainstalować programu. Wybierz "
    L"inny folder i kliknij 'Dalej >'.";
// A medium that is not there. %1: the medium with its backslash; %2: what to
// do, one of the two below.
inline constexpr wchar_t kNoMedium[] =
    L"Nie znaleziono plików instalacyjnych w folderze\n%1\nNic nie zostało zainstalowane. %2";
inline constexpr wchar_t kNoMediumAdvice[] =
    L"Uruchom instalator z folderu, w którym leży folder RunImage z plikami programu.";
// %1: the installer's file name.
inline constexpr wchar_t kUnpackAdvice[] =
    L"Instalator został chyba uruchomiony z wnętrza archiwum ZIP. Rozpakuj całe archiwum (polecenie "
    L"'Wyodrębnij wszystkie') i uruchom %1 z rozpakowanego folderu.";
// A medium that is not what the seal lists: the heading, one heading for each
// kind of file, and what to do.
inline constexpr wchar_t kDamagedMedium[] = L"Pliki instalacyjne są uszkodzone lub niekompletne.";
inline constexpr wchar_t kMissingFiles[] = L"Brakuje plików:";
inline constexpr wchar_t kChangedFiles[] = L"Zmienione pliki:";
inline constexpr wchar_t kExtraFiles[] = L"Nadmiarowe pliki:";
inline constexpr wchar_t kDamagedMediumAdvice[] =
    L"Skopiuj nośnik instalacyjny jeszcze raz lub pobierz instalator ponownie i uruchom go z nowej kopii.";

// ---- why something failed
// The copy's failures: the heading, then for each cause its CauseLine, its
// files and its advice.
inline constexpr wchar_t kNotCopied[] = L"Nie udało się skopiować plików:";
// After the files listed. %1: how many more.
inline constexpr wchar_t kMoreFiles[] = L"\ni inne (%1)";
// What a cause is called (null for FailureCause::kOther: the system's words
// stand there) and what to do about it.
struct CauseWords {
    FailureCause cause;
    const wchar_t* text;
    const wchar_t* advice;
};
const CauseWords& WordsOf(FailureCause cause);
// "<cause>. <advice>", for a cause said in one line.
std::wstring CauseAndAdvice(FailureCause cause);
// "Przyczyna: <cause>.", the full stop added unless cause has one.
std::wstring CauseLine(const std::wstring& cause);
// Why a folder could not be created, beyond the causes above.
inline constexpr wchar_t kNoFolderName[] = L"nie podano nazwy folderu";
inline constexpr wchar_t kReservedName[] = L"nazwa %1 jest zarezerwowana przez system Windows";  // %1: the name
inline constexpr wchar_t kNoSuchDrive[] = L"nie ma takiego dysku: %1";  // %1: "X:"
inline constexpr wchar_t kFileInTheWay[] = L"w miejscu folderu jest plik %1";  // %1: the file
inline constexpr wchar_t kInvalidFolderName[] =
    L"nazwa folderu jest nieprawidłowa (nie może zawierać znaków : * ? \" < > |)";
inline constexpr wchar_t kWriteProtected[] = L"dysk jest zabezpieczony przed zapisem";

// ---- errors in the default error report
// A system error code in the system's words, or as "Błąd systemu N" when the
// system has none.
std::wstring SystemWords(unsigned long code);
// The words of an error that a layer below the installer names by its cause;
// handed to base::SetErrorWording at start-up.
std::wstring ErrorWords(const base::Error& error);
// Anything raised that is no base::Error.
inline constexpr wchar_t kUnexpectedError[] = L"Nieoczekiwany błąd programu";
// The shell's link object behind the shortcuts could not be made. %1: why, in
// the system's words; %2: the class's GUID.
inline constexpr wchar_t kLinkObjectNotMade[] = L"%1, ClassID: %2";
inline constexpr wchar_t kLinkInterfaceMissing[] = L"Interface not supported";
