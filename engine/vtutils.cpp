#include "vtutils.h"

namespace engine {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0xA0 || c == 0x3000; }

std::wstring WithoutTrailingSeparators(const std::wstring& path) {
    size_t end = path.size();
    while (end > 0 && IsSeparator(path[end - 1])) --end;
    // "C:\" must keep its backslash: "C:" alone means the drive's current folder.
    if (end == 2 && path[1] == L':' && path.size() > 2) ++end;
    return path.substr(0, end);
}

// Calls f(begin, end) for each name between separators, empty ones included.
template <typename F>
void ForEachName(const std::wstring& path, F f) {
    size_t begin = 0;
    for (;;) {
        size_t end = begin;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        f(begin, end);
        if (end == path.size()) return;
        begin = end + 1;
    }
}

// "a. \b..\c" -> "a\b\c"; "." and ".." are names of their own and stay.
std::wstring WithoutTrailingDotsAndSpaces(const std::wstring& path) {
    std::wstring result;
    result.reserve(path.size());
    ForEachName(path, [&](size_t begin, size_t end) {
        std::wstring name = path.substr(begin, end - begin);
        if (name != L"." && name != L"..")
            while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.pop_back();
        result += name;
        if (end < path.size()) result += L'\\';
    });
    return result;
}

bool IsReservedName(std::wstring name) {
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ') name.pop_back();
    for (wchar_t& c : name)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    if (name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL" || name == L"CONIN$" ||
        name == L"CONOUT$")
        return true;
    return name.size() == 4 && (name.compare(0, 3, L"COM") == 0 || name.compare(0, 3, L"LPT") == 0) &&
           name[3] >= L'1' && name[3] <= L'9';
}

}  // namespace

std::wstring Trimmed(const std::wstring& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

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

std::wstring CollapseKeepingNetworkPrefix(const std::wstring& path) {
    if (path.compare(0, 2, L"\\\\") != 0) return CollapseDoubleBackslashes(path);
    return L"\\\\" + CollapseDoubleBackslashes(path.substr(2));
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

std::wstring ResolvedFolder(const std::wstring& typed) {
    std::wstring path = Trimmed(typed);
    if (path.empty()) return path;
    path = CollapseKeepingNetworkPrefix(WithoutTrailingDotsAndSpaces(path));
    // The system would turn a device name into the device itself ("C:\CON" is
    // "\\.\CON"): such a path stays as typed, and creating it fails by name.
    if (ReservedNameIn(path).empty()) path = FullPath(path);
    while (path.size() > 1 && path.back() == L'\\' && path[path.size() - 2] != L':' &&
           path[path.size() - 2] != L'\\')
        path.pop_back();
    return path;
}

std::wstring ReservedNameIn(const std::wstring& path) {
    std::wstring reserved;
    ForEachName(path, [&](size_t begin, size_t end) {
        const std::wstring name = path.substr(begin, end - begin);
        if (reserved.empty() && IsReservedName(name)) reserved = name;
    });
    return reserved;
}

bool IsSameOrInside(const std::wstring& path, const std::wstring& folder) {
    const std::wstring p = WithoutTrailingSeparators(path);
    const std::wstring f = WithoutTrailingSeparators(folder);
    if (f.empty() || p.size() < f.size()) return false;
    if (CompareStringOrdinal(p.c_str(), static_cast<int>(f.size()), f.c_str(), static_cast<int>(f.size()),
                             TRUE) != CSTR_EQUAL)
        return false;
    return p.size() == f.size() || IsSeparator(p[f.size()]) || IsSeparator(f.back());
}

bool FolderExists(const std::wstring& path) {
    if (path.empty()) return false;
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolderTree(const std::wstring& folder, std::vector<std::wstring>* created) {
    const std::wstring path = WithoutTrailingSeparators(folder);
    if (path.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    if (!ReservedNameIn(path).empty()) {
        SetLastError(ERROR_INVALID_NAME);
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
        if (CreateDirectoryW(level.c_str(), nullptr)) {
            if (created) created->push_back(level);
            continue;
        }
        const DWORD error = GetLastError();
        // Someone else may have created it in the meantime; a file in the way is a failure.
        if (error == ERROR_ALREADY_EXISTS && FolderExists(level)) continue;
        SetLastError(error);
        return false;
    }
    return true;
}

}  // namespace engine
