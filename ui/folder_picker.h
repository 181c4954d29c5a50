#pragma once
// The system's folder picker behind one seam, so window tests can choose a
// folder (or cancel) in-process and check where the picker would have opened.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace ui {

struct FolderPickRequest {
    HWND owner;
    std::wstring startFolder;  // empty: the picker opens at its root
};

using FolderPickHandler = std::function<std::optional<std::wstring>(const FolderPickRequest&)>;

// Shows the picker modally: rooted at the desktop, resizable with a button to
// make a new folder, file-system folders only, no typing field, status line or
// title, centred on the screen. Returns the chosen folder's full path, or
// nothing when the user cancels.
std::optional<std::wstring> PickFolder(HWND owner, const std::wstring& startFolder);

// Replaces the handler; an empty handler restores the system's picker.
// Returns the previous one.
FolderPickHandler SetFolderPickHandler(FolderPickHandler handler);

// The picker as a window's non-visual part: a start folder set before each
// use and the folder chosen by the last confirmed use.
class FolderBrowser {
public:
    void SetStartFolder(std::wstring folder) { start_ = std::move(folder); }
    // True when the user confirmed a folder; Folder() then holds it.
    bool Execute(HWND owner);
    const std::wstring& Folder() const { return folder_; }

private:
    std::wstring start_;
    std::wstring folder_;
};

}  // namespace ui
