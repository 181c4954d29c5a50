#include "wizard/product_texts.h"

#include "base/text.h"
#include "ui/message.h"

const wchar_t kInstallerCaption[] = L"Instalator programu Velandra";

bool ConfirmExit(HWND owner) {
    return ui::ShowMessage(owner, L"Instalacja niekompletna - czy jesteś pewien, że chcesz przerwać?",
                           kInstallerCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::wstring SystemWords(unsigned long code) {
    std::wstring text = base::SystemErrorText(code);
    return text.empty() ? L"Błąd systemu " + base::Decimal(code) : text;
}

std::wstring ErrorWords(const base::Error& e) {
    const std::wstring code = base::Decimal(e.code());
    switch (e.cause()) {
    case base::Cause::Worded: break;
    case base::Cause::Unexpected: return L"Nieoczekiwany błąd";
    case base::Cause::WindowNotMade: return L"Nie można utworzyć okna: " + SystemWords(e.code());
    case base::Cause::ControlNotMade: return L"Nie można utworzyć kontrolki: " + SystemWords(e.code());
    case base::Cause::PrintFailed: return L"Drukowanie nie powiodło się (błąd " + code + L").";
    case base::Cause::NoDefaultPrinter: return L"Nie można drukować: brak domyślnej drukarki.";
    case base::Cause::PrinterNotOpened:
        return L"Nie można otworzyć drukarki \"" + e.detail() + L"\" (błąd " + code + L").";
    case base::Cause::PrintTextUnreadable: return L"Nie można odczytać tekstu do wydruku: " + e.detail() + L".";
    }
    return e.detail();
}

namespace {

// Given as the program is loaded, before any window can fail: every error the
// layers below raise by cause reads in the installer's words from the start.
const bool kErrorsWorded = (base::SetErrorWording(ErrorWords), true);

}  // namespace
