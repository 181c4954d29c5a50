#include "wizard/product_texts.h"

#include "ui/message.h"

const wchar_t kInstallerCaption[] = L"Instalator programu Velandra";

bool ConfirmExit(HWND owner) {
    return ui::ShowMessage(owner, L"Instalacja niekompletna - czy jesteś pewien, że chcesz przerwać?",
                           kInstallerCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
