#include "ui/folder_picker.h"

#include <shlobj.h>

#include "base/seam.h"
#include "ui/shell_folders.h"
#include "ui/window.h"

namespace ui {

namespace {

void CentreOnScreen(HWND dialog) {
    RECT r{};
    GetWindowRect(dialog, &r);
    const POINT at = CentredOn(nullptr, SIZE{r.right - r.left, r.bottom - r.top});
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK BrowseCallback(HWND dialog, UINT msg, LPARAM, LPARAM data) {
    if (msg != BFFM_INITIALIZED) return 0;
    CentreOnScreen(dialog);
    const auto* start = reinterpret_cast<const std::wstring*>(data);
    if (start->empty()) return 0;
    // The first selection in a freshly started shell can stop short of the
    // folder (seen under Wine: the picker then sits at the desktop); asking
    // again costs nothing and lands on it.
    for (int attempt = 0; attempt < 2; ++attempt)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->c_str()));
    return 0;
}

std::optional<std::wstring> ShowSystemPicker(const FolderPickRequest& request) {
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW bi{};
    bi.hwndOwner = request.owner;
    bi.pidlRoot = nullptr;  // the desktop
    bi.pszDisplayName = displayName;
    bi.lpszTitle = nullptr;
    bi.ulFlags = BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS;
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(&request.startFolder);
    return TakePathOf(SHBrowseForFolderW(&bi));
}

base::Seam<std::optional<std::wstring>(const FolderPickRequest&)>& PickerSeam() {
    static base::Seam<std::optional<std::wstring>(const FolderPickRequest&)> seam(ShowSystemPicker);
    return seam;
}

}  // namespace

std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& startFolder) {
    return PickerSeam()(FolderPickRequest{owner, startFolder});
}

FolderPickHandler SetFolderPickHandler(FolderPickHandler handler) {
    return PickerSeam().Replace(std::move(handler));
}

bool FolderBrowser::Execute(HWND owner) {
    std::optional<std::wstring> chosen = PickFolder(owner, start_);
    if (!chosen) return false;
    folder_ = std::move(*chosen);
    return true;
}

}  // namespace ui
