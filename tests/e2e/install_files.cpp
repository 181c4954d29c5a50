#include "tests/e2e/install_files.h"

#include <shlobj.h>

#include <fstream>
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
        // Every folder on the way, from the drive down; existing ones just fail.
        for (size_t i = 3; (i = dest.find(L'\\', i)) != std::wstring::npos; ++i)
            CreateDirectoryW(dest.substr(0, i).c_str(), nullptr);
        CopyFileOrThrow(from + relative, dest);
    }
}

std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace e2e
