#include "ui/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace ui {

namespace {

SpecialFolderHandler& Handler() {
    static SpecialFolderHandler handler;
    return handler;
}

std::optional<std::wstring> AskShell(int csidl) {
    PIDLIST_ABSOLUTE pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || !pidl) return std::nullopt;
    // A folder without a file-system path (a virtual one) cannot hold files.
    return TakePathOf(pidl);
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

std::optional<std::wstring> SpecialFolderPath(int csidl) {
    if (Handler()) return Handler()(csidl);
    return AskShell(csidl);
}

SpecialFolderHandler SetSpecialFolderHandler(SpecialFolderHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace ui
