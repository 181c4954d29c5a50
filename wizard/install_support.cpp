#include "wizard/install_support.h"

#include <windows.h>
#include "base/error.h"
#include "base/text.h"
#include "wizard/product_texts.h"

using engine::AddTrailingBackslash;
using engine::CopyFailure;
using engine::IsSameOrInside;
using engine::kErrorFolderInTheWay;
using engine::ReservedNameIn;
using engine::ResolvedFolder;
using engine::Seal;

namespace {

const wchar_t kNoRights[] = L"brak uprawnień do zapisu";
const wchar_t kNoRightsAdvice[] = L"Wybierz inny folder lub uruchom instalator jako administrator.";
const wchar_t kDiskFull[] = L"brak miejsca na dysku";

const wchar_t kPathTooLong[] = L"ścieżka jest za długa";
const wchar_t kPathTooLongAdvice[] = L"Wybierz folder o krótszej ścieżce i kliknij 'Dalej >'.";

bool IsDiskFull(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

// What reading a medium that was taken out (a disc, a memory stick, a share
// gone from the network) ends in.
bool IsMediumGone(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND: case ERROR_PATH_NOT_FOUND: case ERROR_INVALID_DRIVE: case ERROR_NOT_READY:
    case ERROR_BAD_NETPATH: case ERROR_DEV_NOT_EXIST: case ERROR_NETNAME_DELETED: case ERROR_BAD_NET_NAME:
    case ERROR_UNEXP_NET_ERR: case ERROR_NO_MEDIA_IN_DRIVE: case ERROR_MEDIA_CHANGED: case ERROR_DEVICE_REMOVED:
    case ERROR_DEVICE_NOT_CONNECTED:
        return true;
    }
    return false;
}

// The system's own words, without the full stop it usually ends with.
std::wstring SystemCause(DWORD error) {
    std::wstring text = SystemWords(error);
    while (!text.empty() && (text.back() == L'.' || text.back() == L' ')) text.pop_back();
    return text;
}

std::wstring CauseText(FailureCause cause, DWORD error) {
    switch (cause) {
    case FailureCause::kInUse: return L"plik jest używany przez inny program";
    case FailureCause::kDiskFull: return kDiskFull;
    case FailureCause::kNoRights: return kNoRights;
    case FailureCause::kReadOnly: return L"plik jest tylko do odczytu";
    case FailureCause::kFolderInTheWay: return L"w miejscu pliku jest folder";
    case FailureCause::kPathTooLong: return kPathTooLong;
    case FailureCause::kMediumGone: return L"nośnik z plikami instalacyjnymi jest niedostępny";
    case FailureCause::kSourceInUse: return L"plik instalacyjny jest używany przez inny program";
    case FailureCause::kDamagedSource: return L"nie można odczytać pliku instalacyjnego";
    case FailureCause::kOther: break;
    }
    return SystemCause(error);
}

const wchar_t* Advice(FailureCause cause) {
    switch (cause) {
    case FailureCause::kInUse:
        return L"Zamknij program Velandra i kliknij 'Dalej >', aby spróbować ponownie.";
    case FailureCause::kDiskFull:
        return L"Zwolnij miejsce na dysku lub wybierz folder na innym dysku i kliknij 'Dalej >'.";
    case FailureCause::kNoRights: return kNoRightsAdvice;
    case FailureCause::kReadOnly:
        return L"Wyłącz we właściwościach pliku atrybut 'Tylko do odczytu' i kliknij 'Dalej >', aby "
               L"spróbować ponownie.";
    case FailureCause::kFolderInTheWay:
        return L"Przenieś lub usuń ten folder i kliknij 'Dalej >', aby spróbować ponownie.";
    case FailureCause::kPathTooLong: return kPathTooLongAdvice;
    case FailureCause::kMediumGone:
        return L"Włóż ponownie nośnik z instalatorem (płytę lub pamięć USB) i kliknij 'Dalej >'.";
    case FailureCause::kSourceInUse:
        return L"Zamknij program, który używa tego pliku, i kliknij 'Dalej >', aby spróbować ponownie.";
    case FailureCause::kDamagedSource:
        return L"Pliki instalacyjne są uszkodzone. Uruchom instalator z innej kopii nośnika.";
    case FailureCause::kOther: break;
    }
    return L"Usuń przyczynę i kliknij 'Dalej >', aby spróbować ponownie.";
}

bool SameGroup(const CopyFailure& a, const CopyFailure& b) {
    const FailureCause cause = CauseOf(a);
    return cause == CauseOf(b) && (cause != FailureCause::kOther || a.error == b.error);
}

bool DriveMissing(const std::wstring& full) {
    if (full.size() < 2 || full[1] != L':') return false;
    return GetDriveTypeW((full.substr(0, 2) + L"\\").c_str()) == DRIVE_NO_ROOT_DIR;
}

std::wstring FolderCause(const std::wstring& typed, DWORD error) {
    const std::wstring path = ResolvedFolder(typed);
    if (path.empty()) return L"nie podano nazwy folderu";
    const std::wstring reserved = ReservedNameIn(path);
    if (!reserved.empty()) return L"nazwa " + reserved + L" jest zarezerwowana przez system Windows";
    if (DriveMissing(path)) return L"nie ma takiego dysku: " + path.substr(0, 2);
    switch (error) {
    case ERROR_ACCESS_DENIED: case ERROR_PRIVILEGE_NOT_HELD:
        return std::wstring(kNoRights) + L". " + kNoRightsAdvice;
    case ERROR_ALREADY_EXISTS: case ERROR_FILE_EXISTS: {
        const std::wstring file = FileInTheWay(path);
        if (!file.empty()) return L"w miejscu folderu jest plik " + file;
        break;
    }
    case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME: case ERROR_DIRECTORY:
        return L"nazwa folderu jest nieprawidłowa (nie może zawierać znaków : * ? \" < > |)";
    case ERROR_FILENAME_EXCED_RANGE: return std::wstring(kPathTooLong) + L". " + kPathTooLongAdvice;
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return kDiskFull;
    case ERROR_WRITE_PROTECT: return L"dysk jest zabezpieczony przed zapisem";
    }
    return SystemCause(error);
}

// The long form of every name on path, where the system knows it.
std::wstring LongForm(const std::wstring& path) {
    std::wstring result(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetLongPathNameW(path.c_str(), result.data(), static_cast<DWORD>(result.size()));
        if (n == 0) return path;
        if (n < result.size()) {
            result.resize(n);
            return result;
        }
        result.resize(n);
    }
}

// The full path of the running executable.
std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
}

std::wstring TemporaryFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    return n == 0 || n > MAX_PATH ? std::wstring() : std::wstring(temp, n);
}

bool IsLock(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

}  // namespace

std::wstring InstallerFolder() {
    const std::wstring path = ProgramPath();
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring FileInTheWay(const std::wstring& path) {
    // The system takes a device name for the device itself, which is no file.
    if (!ReservedNameIn(path).empty()) return std::wstring();
    // Nothing exists below a file: the deepest thing on the path that exists
    // is the one that counts.
    for (std::wstring part = path;;) {
        const DWORD attrs = GetFileAttributesW(part.c_str());
        if (attrs != INVALID_FILE_ATTRIBUTES) return attrs & FILE_ATTRIBUTE_DIRECTORY ? std::wstring() : part;
        const size_t end = part.rfind(L'\\');
        // A drive ("C:", "\\?\C:") is no file, whatever the system says of its name.
        if (end == std::wstring::npos || end == 0 || part[end - 1] == L':') return std::wstring();
        part.resize(end);
    }
}

bool StartedFromArchive(const std::wstring& folder, const std::wstring& temp) {
    // The temporary folder may be given in short names (C:\Users\ADMINI~1\...).
    const std::wstring full = LongForm(folder);
    if (!temp.empty() && IsSameOrInside(full, LongForm(temp))) return true;
    // Explorer shows an archive as a folder of the archive's name.
    const std::wstring path = AddTrailingBackslash(full);
    for (size_t end = path.find(L'\\'); end != std::wstring::npos; end = path.find(L'\\', end + 1))
        if (end >= 4 && CompareStringOrdinal(path.c_str() + end - 4, 4, L".zip", 4, TRUE) == CSTR_EQUAL) return true;
    return false;
}

FailureCause CauseOf(const CopyFailure& failure) {
    if (failure.unreadableSource) {
        if (IsLock(failure.error)) return FailureCause::kSourceInUse;
        return IsMediumGone(failure.error) ? FailureCause::kMediumGone : FailureCause::kDamagedSource;
    }
    switch (failure.error) {
    case ERROR_SHARING_VIOLATION: case ERROR_LOCK_VIOLATION: return FailureCause::kInUse;
    case ERROR_ACCESS_DENIED: return FailureCause::kNoRights;
    case ERROR_FILE_READ_ONLY: return FailureCause::kReadOnly;
    case kErrorFolderInTheWay: return FailureCause::kFolderInTheWay;
    case ERROR_FILENAME_EXCED_RANGE: return FailureCause::kPathTooLong;
    }
    return IsDiskFull(failure.error) ? FailureCause::kDiskFull : FailureCause::kOther;
}

std::wstring NotCopiedMessage(const std::vector<CopyFailure>& failures) {
    std::wstring text = L"Nie udało się skopiować plików:";
    std::vector<bool> done(failures.size());
    // A paragraph for each cause: the cause, the files it hit, what to do.
    for (size_t i = 0; i < failures.size(); ++i) {
        if (done[i]) continue;
        const FailureCause cause = CauseOf(failures[i]);
        text += L"\n\nPrzyczyna: " + CauseText(cause, failures[i].error) + L".";
        size_t hit = 0;
        for (size_t j = i; j < failures.size(); ++j) {
            if (done[j] || !SameGroup(failures[i], failures[j])) continue;
            done[j] = true;
            if (++hit <= kListedFailures) text += L"\n" + failures[j].relativePath;
        }
        if (hit > kListedFailures) text += L"\ni inne (" + base::Decimal(hit - kListedFailures) + L")";
        text += L"\n";
        text += Advice(cause);
    }
    return text;
}

std::wstring FolderFailureLine(const std::wstring& path, unsigned long error) {
    const std::wstring cause = FolderCause(path, error);
    return L"Przyczyna: " + cause + (cause.back() == L'.' ? L"" : L".");
}

std::wstring NoRoomMessage(const std::wstring& volume, unsigned long long needed, unsigned long long free) {
    constexpr unsigned long long kMB = 1 << 20;
    return L"Za mało miejsca na dysku " + volume + L".\nPotrzeba " + base::Decimal((needed + kMB - 1) / kMB) +
           L" MB, wolne jest " + base::Decimal(free / kMB) + L" MB.\n" + Advice(FailureCause::kDiskFull);
}

std::wstring NoMediumMessage(const std::wstring& medium) {
    const std::wstring text =
        L"Nie znaleziono plików instalacyjnych w folderze\n" + medium + L"\nNic nie zostało zainstalowane. ";
    if (!StartedFromArchive(InstallerFolder(), TemporaryFolder()))
        return text + L"Uruchom instalator z folderu, w którym leży folder RunImage z plikami programu.";
    const std::wstring program = ProgramPath();
    return text + L"Instalator został chyba uruchomiony z wnętrza archiwum ZIP. Rozpakuj całe archiwum (polecenie "
                  L"'Wyodrębnij wszystkie') i uruchom " + program.substr(program.rfind(L'\\') + 1) +
           L" z rozpakowanego folderu.";
}

std::wstring InsideMediumMessage(const std::wstring& typed, const std::wstring& medium) {
    return L"Folder\n" + typed + L"\nleży w folderze z plikami instalacyjnymi\n" + medium +
           L"\nNie można w nim zainstalować programu. Wybierz inny folder i kliknij 'Dalej >'.";
}

std::wstring DamagedMediumMessage(const Seal::Damage& damage) {
    std::wstring text = L"Pliki instalacyjne są uszkodzone lub niekompletne.";
    const std::pair<const wchar_t*, const std::vector<std::wstring>*> parts[] = {
        {L"Brakuje plików:", &damage.missing}, {L"Zmienione pliki:", &damage.changed},
        {L"Nadmiarowe pliki:", &damage.extra}};
    for (const auto& [heading, files] : parts) {
        if (files->empty()) continue;
        text += L"\n\n" + std::wstring(heading);
        for (size_t i = 0; i < files->size() && i < kListedDamage; ++i) text += L"\n" + (*files)[i];
        if (files->size() > kListedDamage) text += L"\ni inne (" + base::Decimal(files->size() - kListedDamage) + L")";
    }
    return text + L"\n\nSkopiuj nośnik instalacyjny jeszcze raz lub pobierz instalator ponownie i uruchom go z "
                  L"nowej kopii.";
}

const wchar_t kAlreadyRunningMessage[] =
    L"Instalator programu Velandra jest już uruchomiony.\nDokończ instalację w jego oknie albo je zamknij, a "
    L"potem uruchom instalator ponownie.";

std::wstring MissingShortcutsLine(bool desktopSaved, bool menuSaved, const std::wstring& program) {
    if (desktopSaved && menuSaved) return std::wstring();
    const wchar_t* which = !desktopSaved && !menuSaved ? L"skrótów na pulpicie i w menu Start"
                           : !desktopSaved             ? L"skrótu na pulpicie"
                                                       : L"skrótu w menu Start";
    return L"\nNie udało się utworzyć " + std::wstring(which) + L"; program uruchomisz plikiem " + program + L".";
}
