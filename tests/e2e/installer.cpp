#include "tests/e2e/installer.h"

#include <algorithm>
#include <cstdlib>

namespace e2e {

std::wstring InstallerPath() {
    if (const char* over = std::getenv("VEL_E2E_INSTALLER"); over && *over) return WindowsPath(over);
    return WindowsPath(VEL_INSTALLER_EXE);
}

std::wstring SealedInstallerPath() {
    const std::wstring plain = InstallerPath();
    const std::wstring sealed = plain.substr(0, plain.find_last_of(L"\\/") + 1) + L"sealed\\vel_instaluj.exe";
    return GetFileAttributesW(sealed.c_str()) == INVALID_FILE_ATTRIBUTES ? std::wstring() : sealed;
}

std::wstring SystemLocaleName() {
    const char* set = std::getenv("VEL_LOCALE");
    std::wstring name = Widen(set && *set ? set : "pl_PL.UTF-8");
    name = name.substr(0, name.find(L'.'));  // pl_PL.UTF-8 -> pl_PL
    std::replace(name.begin(), name.end(), L'_', L'-');
    return name;
}

std::wstring SystemButtonText(int id) {
    struct Texts {
        const wchar_t* locale;
        const wchar_t *ok, *cancel, *yes, *no;
    };
    static const Texts kKnown[] = {
        {L"pl-PL", L"OK", L"Anuluj", L"&Tak", L"&Nie"},
        {L"en-US", L"OK", L"Cancel", L"&Yes", L"&No"},
    };
    const std::wstring locale = SystemLocaleName();
    for (const Texts& t : kKnown) {
        if (locale != t.locale) continue;
        switch (id) {
            case IDOK: return t.ok;
            case IDCANCEL: return t.cancel;
            case IDYES: return t.yes;
            case IDNO: return t.no;
        }
        throw Failure(L"no text known for button " + std::to_wstring(id));
    }
    throw Failure(L"no button texts known for the system " + locale);
}

std::vector<std::wstring> SystemButtonTexts(const std::vector<int>& ids) {
    std::vector<std::wstring> texts;
    for (int id : ids) texts.push_back(SystemButtonText(id));
    return texts;
}

Process LaunchInstaller(const std::wstring& exe) {
    Process p = Process::Launch(exe);
    p.WaitWindow(kWelcomeCaption);
    return p;
}

HWND GoToLicence(const Process& p, HWND welcome) {
    Click(welcome, Twitaj_win::kButton2);
    p.WaitGone(welcome);
    return p.WaitWindow(kLicenceCaption);
}

void AgreeAndNext(const Process& p, HWND licence) {
    Click(licence, TLic_win::kRadioButton1);
    HWND next = Control(licence, TLic_win::kButton2);
    if (!WaitUntil([&] { return IsWindowEnabled(next) != FALSE; }))
        throw Failure(L"Next stays disabled after agreeing");
    ClickControl(next);
    p.WaitGone(licence);
}

DWORD FinishAfterLicence(Process& p) {
    HWND install = nullptr;
    WaitUntil([&] { return !p.Running() || (install = p.FindWindowByCaption(kInstallerCaption)); });
    if (install) {
        p.WaitIdle(install);
        CloseBox(install);
    }
    return p.WaitExit();
}

}  // namespace e2e
