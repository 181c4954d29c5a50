#include "ui/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include "base/seam.h"

namespace ui {

namespace {

std::optional<std::wstring> AskShell(int csidl) {
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || !pidl) return std::nullopt;
    // A folder without a file-system path (a virtual one) cannot hold files.
    return TakePathOf(pidl);
}

base::Seam<std::optional<std::wstring>(int)>& FolderSeam() {
    static base::Seam<std::optional<std::wstring>(int)> seam(AskShell);
    return seam;
}

}  // namespace

std::optional<std::wstring> TakePathOf(ITEMIDLIST* pidl) {
    if (!pidl) return std::nullopt;
    wchar_t path[MAX_PATH + 1] = {};
    const bool named = SHGetPathFromIDListW(pidl, path) && path[0];
    CoTaskMemFree(pidl);
    if (!named) return std::nullopt;
    return std::wstring(path);
}

std::optional<std::wstring> SpecialFolderPath(int csidl) { return FolderSeam()(csidl); }

SpecialFolderHandler SetSpecialFolderHandler(SpecialFolderHandler handler) {
    return FolderSeam().Replace(std::move(handler));
}

}  // namespace ui
