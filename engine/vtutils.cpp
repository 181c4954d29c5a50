#include "vtutils.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring WithoutTrailingSeparators(const std::wstring& path) {
    size_t end = path.size();
    while (end > 0 && IsSeparator(path[end - 1])) --end;
    // "C:\" must keep its backslash: "C:" alone means the drive's current folder.
    if (end == 2 && path[1] == L':' && path.size() > 2) ++end;
    return path.substr(0, end);
}

}  // namespace

std::wstring AddTrailingBackslash(const std::wstring& path) {
    if (path.empty() || path.back() == L'\\') return path;
    return path + L'\\';
}

std::wstring CollapseDoubleBackslashes(const std::wstring& path) {
    std::wstring result;
    result.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        result += path[i];
        if (path[i] == L'\\' && i + 1 < path.size() && path[i + 1] == L'\\') ++i;
    }
    return result;
}

bool FolderExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolderTree(const std::wstring& folder) {
    const std::wstring path = WithoutTrailingSeparators(folder);
    if (path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    // Walk up to the deepest folder that exists, then create downwards.
    std::vector<size_t> missingEnds;
    size_t end = path.size();
    while (end > 0 && !FolderExists(path.substr(0, end))) {
        missingEnds.push_back(end);
        while (end > 0 && !IsSeparator(path[end - 1])) --end;  // drop the last name
        while (end > 0 && IsSeparator(path[end - 1])) --end;   // and its separators
    }
    for (auto it = missingEnds.rbegin(); it != missingEnds.rend(); ++it) {
        const std::wstring level = path.substr(0, *it);
        if (CreateDirectoryW(level.c_str(), nullptr)) continue;
        const DWORD error = GetLastError();
        // Someone else may have created it in the meantime; a file in the way is a failure.
        if (error == ERROR_ALREADY_EXISTS && FolderExists(level)) continue;
        SetLastError(error);
        return false;
    }
    return true;
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}
