#include "ui/platform.h"

#include <commctrl.h>

#include "base/module.h"

namespace ui {

void InitControls() {
    static bool done = false;
    if (done) return;
    done = true;
    // comctl32 is not imported: the manifest's version 6 is found through the
    // activation context, which the loader consults before any folder.
    auto init = base::SystemFunction<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(L"comctl32.dll",
                                                                              "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    if (init) init(&icc);
}

const wchar_t* RichEditClass() {
    // Loaded when the first rich-text view is made: the welcome page, shown
    // first, has none and so opens sooner.
    static const wchar_t* const cls = [] {
        if (base::LoadSystemLibrary(L"msftedit.dll")) return L"RICHEDIT50W";
        if (base::LoadSystemLibrary(L"riched20.dll")) return L"RichEdit20W";
        return L"RICHEDIT50W";
    }();
    return cls;
}

}  // namespace ui
