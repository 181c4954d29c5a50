#include "wizard/texts.h"

#include <iterator>

#include "base/text.h"
#include "wizard/install_support.h"

namespace {

constexpr CauseWords kCauses[] = {
    {FailureCause::kInUse, L"plik jest używany przez inny program",
     L"Zamknij program Velandra i kliknij 'Dalej >', aby spróbować ponownie."},
    {FailureCause::kDiskFull, L"brak miejsca na dysku",
     L"Zwolnij miejsce na dysku lub wybierz folder na innym dysku i kliknij 'Dalej >'."},
    {FailureCause::kNoRights, L"brak uprawnień do zapisu",
     L"Wybierz inny folder lub uruchom instalator jako administrator."},
    {FailureCause::kReadOnly, L"plik jest tylko do odczytu",
     L"Wyłącz we właściwościach pliku atrybut 'Tylko do odczytu' i kliknij 'Dalej >', aby spróbować ponownie."},
    {FailureCause::kFolderInTheWay, L"w miejscu pliku jest folder",
     L"Przenieś lub usuń ten folder i kliknij 'Dalej >', aby spróbować ponownie."},
    {FailureCause::kPathTooLong, L"ścieżka jest za długa", L"Wybierz folder o krótszej ścieżce i kliknij 'Dalej >'."},
    {FailureCause::kMediumGone, L"nośnik z plikami instalacyjnymi jest niedostępny",
     L"Włóż ponownie nośnik z instalatorem (płytę lub pamięć USB) i kliknij 'Dalej >'."},
    {FailureCause::kSourceInUse, L"plik instalacyjny jest używany przez inny program",
     L"Zamknij program, który używa tego pliku, i kliknij 'Dalej >', aby spróbować ponownie."},
    {FailureCause::kDamagedSource, L"nie można odczytać pliku instalacyjnego",
     L"Pliki instalacyjne są uszkodzone. Uruchom instalator z innej kopii nośnika."},
    {FailureCause::kOther, nullptr, L"Usuń przyczynę i kliknij 'Dalej >', aby spróbować ponownie."},
};

}  // namespace

std::wstring Fill(const wchar_t* pattern, std::initializer_list<std::wstring_view> parts) {
    std::wstring text;
    for (const wchar_t* p = pattern; *p; ++p) {
        if (p[0] == L'%' && p[1] >= L'1' && p[1] <= L'9') text += parts.begin()[*++p - L'1'];
        else text += *p;
    }
    return text;
}

std::wstring MissingShortcutsLine(bool desktopSaved, bool menuSaved, const std::wstring& program) {
    if (desktopSaved && menuSaved) return std::wstring();
    const wchar_t* which = !desktopSaved && !menuSaved ? L"skrótów na pulpicie i w menu Start"
                           : !desktopSaved             ? L"skrótu na pulpicie"
                                                       : L"skrótu w menu Start";
    return Fill(L"\nNie udało się utworzyć %1; program uruchomisz plikiem %2.", {which, program});
}

std::wstring NoRoomMessage(const std::wstring& volume, unsigned long long needed, unsigned long long free) {
    constexpr unsigned long long kMB = 1 << 20;
    return Fill(L"Za mało miejsca na dysku %1.\nPotrzeba %2 MB, wolne jest %3 MB.\n%4",
                {volume, base::Decimal((needed + kMB - 1) / kMB), base::Decimal(free / kMB),
                 WordsOf(FailureCause::kDiskFull).advice});
}

const CauseWords& WordsOf(FailureCause cause) {
    for (const CauseWords& row : kCauses)
        if (row.cause == cause) return row;
    return kCauses[std::size(kCauses) - 1];
}

std::wstring CauseAndAdvice(FailureCause cause) {
    const CauseWords& words = WordsOf(cause);
    return Fill(L"%1. %2", {words.text, words.advice});
}

std::wstring CauseLine(const std::wstring& cause) {
    return Fill(L"Przyczyna: %1%2", {cause, !cause.empty() && cause.back() == L'.' ? L"" : L"."});
}

std::wstring SystemWords(unsigned long code) {
    std::wstring text = base::SystemErrorText(code);
    return text.empty() ? Fill(L"Błąd systemu %1", {base::Decimal(code)}) : text;
}

std::wstring ErrorWords(const base::Error& e) {
    const std::wstring code = base::Decimal(e.code());
    switch (e.cause()) {
    case base::Cause::Worded: break;
    case base::Cause::Unexpected: return kUnexpectedError;
    case base::Cause::WindowNotMade: return Fill(L"Nie można utworzyć okna: %1", {SystemWords(e.code())});
    case base::Cause::ControlNotMade: return Fill(L"Nie można utworzyć kontrolki: %1", {SystemWords(e.code())});
    case base::Cause::PrintFailed: return Fill(L"Drukowanie nie powiodło się (błąd %1).", {code});
    case base::Cause::NoDefaultPrinter: return L"Nie można drukować: brak domyślnej drukarki.";
    case base::Cause::PrinterNotOpened: return Fill(L"Nie można otworzyć drukarki \"%1\" (błąd %2).", {e.detail(), code});
    case base::Cause::PrintTextUnreadable: return Fill(L"Nie można odczytać tekstu do wydruku: %1.", {e.detail()});
    }
    return e.detail();
}
