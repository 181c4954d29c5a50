// Layout of the licence agreement page, in pixels at 96 DPI.
#include "wizard/lic.h"

using namespace ui;

namespace {

constexpr FontSpec kText{L"Tahoma", 13};
using L = TLic_win;

constexpr ControlSpec kControls[] = {
    {.id = L::kPanel1, .kind = Kind::Panel, .x = 0, .y = 309, .w = 504, .h = 47, .focusOrder = 0,
     .background = kFaceColor, .dock = Dock::Bottom, .bevel = Bevel::Raised},
    {.id = L::kButton1, .kind = Kind::Button, .parent = L::kPanel1, .x = 393, .y = 12, .w = 95,
     .h = 25, .text = L"Zakończ", .focusOrder = 0, .flags = kCancelButton},
    {.id = L::kButton2, .kind = Kind::Button, .parent = L::kPanel1, .x = 277, .y = 12, .w = 95,
     .h = 25, .text = L"Dalej >", .focusOrder = 1, .flags = kDisabled, .modalResult = kNext},
    {.id = L::kPanel2, .kind = Kind::Panel, .x = 0, .y = 0, .w = 504, .h = 65, .focusOrder = 2,
     .background = kWindowColor, .dock = Dock::Top, .bevel = Bevel::Raised},
    {.id = L::kPanel3, .kind = Kind::Panel, .x = 0, .y = 65, .w = 504, .h = 244, .focusOrder = 1,
     .background = kFaceColor, .dock = Dock::Fill, .bevel = Bevel::Raised},
    {.id = L::kLabel1, .kind = Kind::Label, .parent = L::kPanel2, .x = 16, .y = 5, .w = 52, .h = 16,
     .text = L"Licencja", .font = {L"Tahoma", 13, true}, .flags = kAutoSize},
    {.id = L::kLabel2, .kind = Kind::Label, .parent = L::kPanel2, .x = 16, .y = 27, .w = 208,
     .h = 16, .text = L"Proszę przeczytać umowę licencyjną", .font = kText, .flags = kAutoSize},
    {.id = L::kButton3, .kind = Kind::Button, .parent = L::kPanel1, .x = 169, .y = 12, .w = 95,
     .h = 25, .text = L"< Wstecz", .focusOrder = 2, .modalResult = kBack},
    {.id = L::kLabel3, .kind = Kind::Label, .parent = L::kPanel3, .x = 16, .y = 11, .w = 367,
     .h = 13,
     .text = L"Proszę przeczytać umowę licencyjną i wybrać 'Zgadzam się' jeśli zgadzasz się",
     .flags = kAutoSize},
    {.id = L::kLabel4, .kind = Kind::Label, .parent = L::kPanel3, .x = 16, .y = 30, .w = 106,
     .h = 13, .text = L"z jej postanowieniami.", .flags = kAutoSize},
    {.id = L::kRichEdit1, .kind = Kind::RichEdit, .parent = L::kPanel3, .x = 8, .y = 54, .w = 485,
     .h = 137, .text = L"LICFALLBACK", .focusOrder = 0, .flags = kNoTabStop | kPageKeys},
    {.id = L::kRadioButton1, .kind = Kind::Radio, .parent = L::kPanel3, .x = 16, .y = 197,
     .w = 317, .h = 17, .text = L"Zgadzam się i akceptuję postanowienia umowy licencyjnej",
     .focusOrder = 1},
    {.id = L::kRadioButton2, .kind = Kind::Radio, .parent = L::kPanel3, .x = 16, .y = 220,
     .w = 113, .h = 17, .text = L"Nie zgadzam się", .focusOrder = 2},
    {.id = L::kImage1, .kind = Kind::Picture, .parent = L::kPanel2, .x = 440, .y = 2, .w = 59,
     .h = 59, .picture = L"LOGO", .fit = Fit::Proportional},
    {.id = L::kButton4, .kind = Kind::Button, .parent = L::kPanel3, .x = 372, .y = 205, .w = 116,
     .h = 25, .text = L"Drukuj tekst umowy", .focusOrder = 3},
};

}  // namespace

const FormSpec TLic_win::kLayout =
    MakeForm(L"Program instalacyjny aplikacji Velandra - licencja", 504, 356, Border::Dialog,
             kFaceColor, FontSpec{L"Tahoma", 11}, kControls);
