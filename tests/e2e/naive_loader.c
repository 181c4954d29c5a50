/* The control for the planted-DLL test: loads each DLL named on the command
 * line the careless way, by bare name with the default search order, which
 * looks in the program's own folder first. Prints where each came from. */
#include <stdio.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    int loaded = 0;
    for (int i = 1; i < argc; ++i) {
        HMODULE m = LoadLibraryW(argv[i]);
        wchar_t path[MAX_PATH] = L"-";
        if (m) {
            GetModuleFileNameW(m, path, MAX_PATH);
            ++loaded;
        }
        wprintf(L"%ls: %ls\n", argv[i], path);
    }
    return loaded;
}
