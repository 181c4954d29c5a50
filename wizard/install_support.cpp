#include "wizard/install_support.h"

#include <windows.h>
#include "base/error.h"
#include "base/text.h"
#include "wizard/texts.h"

using engine::AddTrailingBackslash;
using engine::CopyFailure;
using engine::IsSameOrInside;
using engine::kErrorFolderInTheWay;
using engine::ReservedNameIn;
using engine::ResolvedFolder;
using engine::Seal;

namespace {

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
    const wchar_t* text = WordsOf(cause).text;
    return text ? text : SystemCause(error);
}

bool SameGroup(const CopyFailure& a, const CopyFailure& b) {
    const FailureCause cause = CauseOf(a);
    return cause == CauseOf(b) && (cause != FailureCause::kOther || a.error == b.error);
}

bool DriveMissing(const std::wstring& full) {
    if (full.size() < 2 || full[1] != L':') return false;
    return GetDriveTypeW((full.substr(0, 2) + L"\\").c_str()) == DRIVE_NO_ROOT_DIR;
}

// Why the folder path (full and resolved; empty when no name was typed) could
// not be created.
std::wstring FolderCause(const std::wstring& path, DWORD error) {
    if (path.empty()) return kNoFolderName;
    const std::wstring reserved = ReservedNameIn(path);
    if (!reserved.empty()) return Fill(kReservedName, {reserved});
    if (DriveMissing(path)) return Fill(kNoSuchDrive, {path.substr(0, 2)});
    switch (error) {
    case ERROR_ACCESS_DENIED: case ERROR_PRIVILEGE_NOT_HELD: return CauseAndAdvice(FailureCause::kNoRights);
    case ERROR_ALREADY_EXISTS: case ERROR_FILE_EXISTS: {
        const std::wstring file = FileInTheWay(path);
        if (!file.empty()) return Fill(kFileInTheWay, {file});
        break;
    }
    case ERROR_INVALID_NAME: case ERROR_BAD_PATHNAME: case ERROR_DIRECTORY: return kInvalidFolderName;
    case ERROR_FILENAME_EXCED_RANGE: return CauseAndAdvice(FailureCause::kPathTooLong);
    case ERROR_DISK_FULL: case ERROR_HANDLE_DISK_FULL: return WordsOf(FailureCause::kDiskFull).text;
    case ERROR_WRITE_PROTECT: return kWriteProtected;
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
    std::wstring text = kNotCopied;
    std::vector<bool> done(failures.size());
    // A paragraph for each cause: the cause, the files it hit, what to do.
    for (size_t i = 0; i < failures.size(); ++i) {
        if (done[i]) continue;
        const FailureCause cause = CauseOf(failures[i]);
        text += L"\n\n" + CauseLine(CauseText(cause, failures[i].error));
        size_t hit = 0;
        for (size_t j = i; j < failures.size(); ++j) {
            if (done[j] || !SameGroup(failures[i], failures[j])) continue;
            done[j] = true;
            if (++hit <= kListedFailures) text += L"\n" + failures[j].relativePath;
        }
        if (hit > kListedFailures) text += Fill(kMoreFiles, {base::Decimal(hit - kListedFailures)});
        text += L"\n";
        text += WordsOf(cause).advice;
    }
    return text;
}

std::wstring FolderFailureLine(const InstallTarget& target, unsigned long error, const std::wstring& below) {
    return CauseLine(FolderCause(below.empty() ? target.folder : target.folderWithBackslash + below, error));
}

std::wstring NoMediumMessage(const std::wstring& medium) {
    if (!StartedFromArchive(InstallerFolder(), TemporaryFolder())) return Fill(kNoMedium, {medium, kNoMediumAdvice});
    const std::wstring program = ProgramPath();
    return Fill(kNoMedium, {medium, Fill(kUnpackAdvice, {program.substr(program.rfind(L'\\') + 1)})});
}

std::wstring DamagedMediumMessage(const Seal::Damage& damage) {
    std::wstring text = kDamagedMedium;
    const std::pair<const wchar_t*, const std::vector<std::wstring>*> parts[] = {
        {kMissingFiles, &damage.missing}, {kChangedFiles, &damage.changed}, {kExtraFiles, &damage.extra}};
    for (const auto& [heading, files] : parts) {
        if (files->empty()) continue;
        text += L"\n\n" + std::wstring(heading);
        for (size_t i = 0; i < files->size() && i < kListedDamage; ++i) text += L"\n" + (*files)[i];
        if (files->size() > kListedDamage) text += Fill(kMoreFiles, {base::Decimal(files->size() - kListedDamage)});
    }
    return text + L"\n\n" + kDamagedMediumAdvice;
}
