#include "tests/e2e/install_files.h"

#include <shlobj.h>

#include "tests/e2e/driver.h"
#include "tests/support/scratch.h"

namespace e2e {

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE))
        throw Failure(L"the shell has no folder " + std::to_wstring(csidl));
    return path;
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    for (const std::wstring& relative : testing_support::FilesBelow(from, testing_support::Listing::kFilesOnly)) {
        const std::wstring dest = to + relative;
        testing_support::MakeFolders(dest.substr(0, dest.find_last_of(L'\\')));
        CopyFileOrThrow(from + relative, dest);
    }
}

}  // namespace e2e
