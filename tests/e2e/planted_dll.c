/* Stands in for a DLL planted beside a program: when any process loads it, it
 * leaves "<its own path>.loaded" beside itself, so a test can tell that the
 * loader took it instead of the system's own. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH + 16];
        DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
        if (n > 0 && n < MAX_PATH) {
            lstrcatW(path, L".loaded");
            HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
    }
    return TRUE;
}
