// Layout of the install window, in pixels at 96 DPI.
#include "wizard/inst_main.h"

using namespace ui;

namespace {

constexpr FontSpec kButtonFont{L"Tahoma", 11};
using I = Tinst_main_win;

constexpr ControlSpec kControls[] = {
    {.id = I::kLabel1, .kind = Kind::Label, .x = 13, .y = 84, .w = 416, .h = 16,
     .text = L"Wybierz folder, w którym ma być zainstalowany program Velandra", .flags = kAutoSize},
    // The text is not drawn on a picture button; it is the name a screen
    // reader announces.
    {.id = I::kBitBtn1, .kind = Kind::PictureButton, .x = 431, .y = 102, .w = 32, .h = 32,
     .text = L"Przeglądaj", .focusOrder = 0, .picture = L"FOLDER", .tip = L"Wybierz folder"},
    {.id = I::kPanel1, .kind = Kind::Panel, .x = 0, .y = 0, .w = 504, .h = 65, .focusOrder = 2,
     .background = kWindowColor, .dock = Dock::Top, .bevel = Bevel::Raised},
    {.id = I::kLabel3, .kind = Kind::Label, .parent = I::kPanel1, .x = 6, .y = 18, .w = 423, .h = 23,
     .text = L"Instalacja programu Velandra ver 3.51", .font = {L"Tahoma", 19, false, true},
     .color = RGB(0, 128, 0), .flags = kCenter},
    {.id = I::kPanel2, .kind = Kind::Panel, .x = 0, .y = 153, .w = 504, .h = 54, .focusOrder = 1,
     .background = kFaceColor, .dock = Dock::Bottom, .bevel = Bevel::Raised},
    {.id = I::kBitBtn3, .kind = Kind::Button, .parent = I::kPanel2, .x = 238, .y = 16, .w = 95,
     .h = 25, .text = L"Dalej >", .focusOrder = 0, .font = kButtonFont, .flags = kDisabled},
    {.id = I::kBitBtn4, .kind = Kind::Button, .parent = I::kPanel2, .x = 372, .y = 16, .w = 95,
     .h = 25, .text = L"Zakończ", .focusOrder = 1, .font = kButtonFont, .flags = kCancelButton},
    {.id = I::kProgressBar1, .kind = Kind::Progress, .parent = I::kPanel2, .x = 13, .y = 20, .w = 210, .h = 17,
     .flags = kHidden},
    {.id = I::kImage1, .kind = Kind::Picture, .parent = I::kPanel1, .x = 440, .y = 2, .w = 59,
     .h = 59, .picture = L"LOGO", .fit = Fit::Proportional},
    {.id = I::kEdit1, .kind = Kind::Edit, .x = 13, .y = 106, .w = 412, .h = 24, .focusOrder = 3},
};

}  // namespace

const FormSpec Tinst_main_win::kLayout =
    MakeForm(L"Instalator programu Velandra", 504, 207, Border::Single, kFaceColor,
             FontSpec{L"Tahoma", 13}, kControls);
