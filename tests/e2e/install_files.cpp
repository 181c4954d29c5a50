#include "tests/e2e/install_files.h"

#include <shlobj.h>

#include <optional>

#include "tests/e2e/driver.h"
#include "tests/support/scratch.h"

namespace e2e {

namespace {

void ListTree(const std::wstring& folder, const std::wstring& relative, std::map<std::wstring, DWORD>& out) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + relative + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListTree(folder, relative + name + L"\\", out);
        else
            out[relative + name] = fd.dwFileAttributes;
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

}  // namespace

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE))
        throw Failure(L"the shell has no folder " + std::to_wstring(csidl));
    return path;
}

Link LoadLink(const std::wstring& file) {
    std::optional<testing_support::LinkInfo> link = testing_support::LoadLink(file);
    if (!link) return {L"<no link " + file + L">", L""};
    return {link->target, link->workingFolder};
}

std::map<std::wstring, DWORD> Tree(const std::wstring& folder) {
    std::map<std::wstring, DWORD> out;
    ListTree(folder, L"", out);
    return out;
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    for (const auto& [relative, attrs] : Tree(from)) {
        const std::wstring dest = to + relative;
        testing_support::MakeFolders(dest.substr(0, dest.find_last_of(L'\\')));
        CopyFileOrThrow(from + relative, dest);
    }
}

}  // namespace e2e
