/* The yardstick for the installer's start-up time: the least a Win32 program
 * does to show one window of about the same size. */
#include <windows.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE prev, LPWSTR cmd, int show) {
    (void)prev;
    (void)cmd;
    (void)show;
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
