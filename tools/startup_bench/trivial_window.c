/* The yardstick for the installer's start-up time: the least a Win32 program
 * does to show one window of about the same size. Words on the command line
 * add one piece of the installer's start-up each, to see what costs time:
 *   com       initialise COM for the GUI thread
 *   richedit  load the rich-edit DLL from the system folder
 *   comctl    load the common controls and initialise them */
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

static HMODULE LoadFromSystem(const wchar_t* name) {
    return LoadLibraryExW(name, NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

/* True when word stands on the command line as a whole word. */
static int HasWord(const wchar_t* cmd, const wchar_t* word) {
    size_t n = wcslen(word);
    for (const wchar_t* p = wcsstr(cmd, word); p; p = wcsstr(p + 1, word)) {
        int starts = p == cmd || p[-1] == L' ';
        int ends = p[n] == L'\0' || p[n] == L' ';
        if (starts && ends) return 1;
    }
    return 0;
}

static void StartUpWork(const wchar_t* cmd) {
    if (HasWord(cmd, L"com")) CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (HasWord(cmd, L"richedit")) LoadFromSystem(L"msftedit.dll");
    if (HasWord(cmd, L"shell")) LoadFromSystem(L"shell32.dll");
    if (HasWord(cmd, L"comctl")) {
        HMODULE cc = LoadFromSystem(L"comctl32.dll");
        typedef BOOL(WINAPI * InitFn)(const INITCOMMONCONTROLSEX*);
        InitFn init = cc ? (InitFn)(void*)GetProcAddress(cc, "InitCommonControlsEx") : NULL;
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        if (init) init(&icc);
    }
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE prev, LPWSTR cmd, int show) {
    (void)prev;
    (void)show;
    StartUpWork(cmd);
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = L"TrivialWindow";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, L"TrivialWindow", L"Trivial window",
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                             511, 356, NULL, NULL, inst, NULL);
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    MSG m;
    while (GetMessageW(&m, NULL, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
    return 0;
}
