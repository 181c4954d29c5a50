// A stand-in for the display-board library the application ships with: just
// enough of a DLL to be copied, loaded and asked its version.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI Wysw8Version() { return 351; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
