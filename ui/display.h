#pragma once
// What the screen asks of a window: its DPI, and whether a high-contrast
// theme is on. The per-window DPI calls arrived with Windows 10; on older
// systems the system DPI serves.
#include <windows.h>

#include <functional>

namespace ui {

// The DPI the window is shown at.
int WindowDpi(HWND hwnd);

// The outer size of a window of this style around a client area, at the DPI.
SIZE FrameSize(HWND hwnd, SIZE client, int dpi);

// Tells the dialog manager to leave a dialog alone when its DPI changes: the
// form lays itself out again, and the manager's own scaling would come on top.
void LeaveDpiChangesToDialog(HWND dialog);

// The system's message font at the DPI.
LOGFONTW MessageFont(int dpi);

// True while a high-contrast theme is on.
bool HighContrast();
// Replaces the answer (tests); an empty handler restores the system's.
std::function<bool()> SetHighContrastHandler(std::function<bool()> handler);

}  // namespace ui
