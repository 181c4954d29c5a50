#include "ui/message.h"

#include <utility>

namespace ui {

const wchar_t kInstallerCaption[] = L"Instalator programu Velandra";

namespace {

MessageHandler& Handler() {
    static MessageHandler handler;
    return handler;
}

}  // namespace

int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    if (Handler()) return Handler()(MessageRequest{owner, text, caption, type});
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

bool ConfirmExit(HWND owner) {
    return ShowMessage(owner, L"Instalacja niekompletna - czy jesteś pewien, że chcesz przerwać?",
                       kInstallerCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
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
