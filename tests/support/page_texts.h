#pragma once
// The texts of the welcome and licence pages, control by control, as the
// window tests and the end-to-end scenarios expect them.
#include "tests/support/expected_texts.h"
#include "wizard/lic.h"
#include "wizard/witaj.h"

namespace testing_support {

struct ControlText {
    int id;
    const wchar_t* text;
};

inline constexpr ControlText kWelcomeTexts[] = {
    {Twitaj_win::kLabel1, L"Witamy w instalatorze programu"},
    {Twitaj_win::kLabel2, L"Velandra"},
    {Twitaj_win::kLabel3, L"na tym komputerze"},
    {Twitaj_win::kLabel4, L"Ten program zainstaluje aplikację Velandra"},
    {Twitaj_win::kLabel5, L"wszystkie działające programy."},
    {Twitaj_win::kLabel6, L"Zaleca się, aby przed rozpoczęciem instalacji, zamknąć"},
    {Twitaj_win::kLabel7, L"Jeśli nie chcesz instalować programu, kliknij 'Zakończ',"},
    {Twitaj_win::kLabel9, L" w przeciwnym przypadku kliknij 'Dalej', aby kontynuować"},
    {Twitaj_win::kButton1, kExitText},
    {Twitaj_win::kButton2, kNextText},
};

inline constexpr ControlText kLicenceTexts[] = {
    {TLic_win::kLabel1, L"Licencja"},
    {TLic_win::kLabel2, L"Proszę przeczytać umowę licencyjną"},
    {TLic_win::kLabel3, L"Proszę przeczytać umowę licencyjną i wybrać 'Zgadzam się' jeśli zgadzasz się"},
    {TLic_win::kLabel4, L"z jej postanowieniami."},
    {TLic_win::kRadioButton1, L"Zgadzam się i akceptuję postanowienia umowy licencyjnej"},
    {TLic_win::kRadioButton2, L"Nie zgadzam się"},
    {TLic_win::kButton4, L"Drukuj tekst umowy"},
    {TLic_win::kButton3, L"< Wstecz"},
    {TLic_win::kButton2, kNextText},
    {TLic_win::kButton1, kExitText},
};

}  // namespace testing_support
