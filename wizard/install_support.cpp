#include "wizard/install_support.h"

#include <windows.h>
#include "base/text.h"

std::wstring CollapseKeepingNetworkPrefix(const std::wstring& path) {
    if (path.compare(0, 2, L"\\\\") != 0) return CollapseDoubleBackslashes(path);
    return L"\\\\" + CollapseDoubleBackslashes(path.substr(2));
}

std::wstring InstallerFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring NotCopiedMessage(const std::vector<CopyFailure>& failures) {
    std::wstring text = L"Nie udało się skopiować plików:";
    for (size_t i = 0; i < failures.size() && i < kListedFailures; ++i)
        text += L"\n" + failures[i].relativePath;
    if (failures.size() > kListedFailures)
        text += L"\ni inne (" + base::Decimal(failures.size() - kListedFailures) + L")";
    text += L"\nJeśli program Velandra jest uruchomiony, zamknij go i kliknij 'Dalej', aby "
            L"spróbować ponownie.";
    return text;
}
