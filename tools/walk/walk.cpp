#include "tools/walk/walk.h"

#include <cstdio>

namespace e2e {

Walk::Walk(Process& process, std::wstring folder) : process_(process), folder_(std::move(folder)) {
    if (!folder_.empty() && folder_.back() != L'\\') folder_ += L'\\';
}

std::wstring Walk::Next(const std::wstring& name) {
    wchar_t number[8];
    swprintf(number, 8, L"%02d-", ++count_);
    return folder_ + number + name + L".bmp";
}

void Walk::Settle(HWND window) {
    // Idle in its message loop means painted; the short pause lets the
    // display catch up with what was painted.
    process_.WaitIdle(window);
    Sleep(150);
}

void Walk::Shot(HWND window, const std::wstring& name) {
    Settle(window);
    std::wstring path = Next(name);
    Screenshot(window, path);
    std::printf("%s\n", Narrow(path).c_str());
}

void Walk::ShotOver(HWND window, HWND box, const std::wstring& name) {
    Settle(box);
    RECT a{}, b{}, both{};
    GetWindowRect(window, &a);
    GetWindowRect(box, &b);
    UnionRect(&both, &a, &b);
    std::wstring path = Next(name);
    ScreenshotArea(both, path);
    std::printf("%s\n", Narrow(path).c_str());
}

void Walk::ShotAll(const std::wstring& name) {
    for (HWND w : process_.Windows()) Shot(w, name);
}

}  // namespace e2e
