// Layout of the welcome page, in pixels at 96 DPI.
#include "wizard/witaj.h"

using namespace ui;

namespace {

constexpr FontSpec kTitle{L"Tahoma", 21, false, false, EASTEUROPE_CHARSET};
constexpr FontSpec kText{L"Tahoma", 13};
using W = Twitaj_win;

constexpr ControlSpec kControls[] = {
    {.id = W::kImage1, .kind = Kind::Picture, .x = 0, .y = 0, .w = 164, .h = 302,
     .picture = L"SIDE", .fit = Fit::Stretch, .dock = Dock::Left},
    {.id = W::kPanel1, .kind = Kind::Panel, .x = 0, .y = 302, .w = 511, .h = 54, .focusOrder = 0,
     .background = kFaceColor, .dock = Dock::Bottom, .bevel = Bevel::Raised},
    {.id = W::kLabel1, .kind = Kind::Label, .x = 183, .y = 26, .w = 305, .h = 25,
     .text = L"Witamy w instalatorze programu", .font = kTitle, .flags = kAutoSize},
    {.id = W::kLabel2, .kind = Kind::Label, .x = 259, .y = 57, .w = 139, .h = 25,
     .text = L"Velandra", .font = kTitle, .flags = kAutoSize},
    {.id = W::kLabel3, .kind = Kind::Label, .x = 174, .y = 139, .w = 110, .h = 16,
     .text = L"na tym komputerze", .font = kText, .flags = kAutoSize},
    {.id = W::kLabel4, .kind = Kind::Label, .x = 174, .y = 122, .w = 284, .h = 16,
     .text = L"Ten program zainstaluje aplikację Velandra", .font = kText, .flags = kAutoSize},
    {.id = W::kLabel5, .kind = Kind::Label, .x = 174, .y = 188, .w = 179, .h = 16,
     .text = L"wszystkie działające programy.", .font = kText, .flags = kAutoSize},
    {.id = W::kLabel6, .kind = Kind::Label, .x = 174, .y = 171, .w = 315, .h = 16,
     .text = L"Zaleca się, aby przed rozpoczęciem instalacji, zamknąć", .font = kText,
     .flags = kAutoSize},
    {.id = W::kLabel7, .kind = Kind::Label, .x = 174, .y = 221, .w = 311, .h = 16,
     .text = L"Jeśli nie chcesz instalować programu, kliknij 'Zakończ',", .font = kText,
     .flags = kAutoSize},
    {.id = W::kButton1, .kind = Kind::Button, .parent = W::kPanel1, .x = 373, .y = 18, .w = 95,
     .h = 25, .text = L"Zakończ", .focusOrder = 0, .flags = kCancelButton},
    {.id = W::kButton2, .kind = Kind::Button, .parent = W::kPanel1, .x = 246, .y = 18, .w = 95,
     .h = 25, .text = L"Dalej >", .focusOrder = 1, .modalResult = kNext},
    {.id = W::kLabel9, .kind = Kind::Label, .x = 174, .y = 237, .w = 329, .h = 16,
     .text = L" w przeciwnym przypadku kliknij 'Dalej', aby kontynuować", .font = kText,
     .flags = kAutoSize},
};

}  // namespace

const FormSpec Twitaj_win::kLayout =
    MakeForm(L"Program instalacyjny aplikacja Velandra - Witamy", 511, 356, Border::Dialog, kWindowColor,
             FontSpec{L"Tahoma", 11}, kControls);
