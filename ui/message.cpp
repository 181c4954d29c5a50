#include "ui/message.h"

#include "base/seam.h"
#include "ui/busy.h"

namespace ui {

namespace {

int ShowMessageBox(const MessageRequest& r) {
    return MessageBoxW(r.owner, r.text.c_str(), r.caption.c_str(), r.type);
}

base::Seam<int(const MessageRequest&)>& MessageSeam() {
    static base::Seam<int(const MessageRequest&)> seam(ShowMessageBox);
    return seam;
}

}  // namespace

int ShowOutcome(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    DiscardPendingInput();
    return ShowMessage(owner, text, caption, type);
}

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    return MessageSeam()(MessageRequest{owner, text, caption, type});
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    return MessageSeam().Replace(std::move(handler));
}

std::wstring ApplicationTitle() {
    wchar_t path[MAX_PATH * 2];
    DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring name(path, n);
    size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    size_t dot = name.find(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    return name;
}

void ShowErrorReport(HWND owner, std::wstring text) {
    if (!text.empty() && text.back() > L'.') text += L'.';
    ShowMessage(owner, text, ApplicationTitle(), MB_OK | MB_ICONERROR);
}

}  // namespace ui
