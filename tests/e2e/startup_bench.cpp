// Start-up time of the installer against a trivial one-window program: the
// time from process creation until the first window is shown and its thread
// waits for input (painted and idle), the median of several alternating runs.
// Usage: e2e_startup_bench [--runs N] [--installer PATH] [--trivial PATH]
#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "tests/e2e/installer.h"

using namespace e2e;

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(to.QuadPart - from.QuadPart) / double(f.QuadPart);
}

// One start: seconds until the window is shown and idle. The window is then
// closed by its close box and the process must end.
double TimeOneStart(const std::wstring& exe, const std::wstring& caption) {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    Process p = Process::Launch(exe);
    HWND w = nullptr;
    if (!WaitUntil([&] { return (w = p.FindWindowByCaption(caption)) != nullptr || !p.Running(); }) || !w)
        throw Failure(L"no window \"" + caption + L"\" from " + exe);
    p.WaitIdle(w);
    QueryPerformanceCounter(&t1);
    CloseBox(w);
    p.WaitExit();
    return Seconds(t0, t1);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 10;
    std::wstring installer = InstallerPath();
    std::wstring trivial = WindowsPath(VEL_TRIVIAL_EXE);
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::wcscmp(argv[i], L"--runs")) runs = std::max(1, _wtoi(argv[i + 1]));
        else if (!std::wcscmp(argv[i], L"--installer")) installer = argv[i + 1];
        else if (!std::wcscmp(argv[i], L"--trivial")) trivial = argv[i + 1];
        else {
            std::fprintf(stderr, "usage: e2e_startup_bench [--runs N] [--installer PATH] [--trivial PATH]\n");
            return 2;
        }
    }
    try {
        // One unmeasured start of each fills the caches.
        TimeOneStart(trivial, L"Trivial window");
        TimeOneStart(installer, kWelcomeCaption);
        std::vector<double> a, b;
        for (int i = 0; i < runs; ++i) {
            b.push_back(TimeOneStart(trivial, L"Trivial window"));
            a.push_back(TimeOneStart(installer, kWelcomeCaption));
        }
        const double ma = Median(a), mb = Median(b);
        std::printf("runs: %d\n", runs);
        std::printf("trivial window, median:   %.3f s (min %.3f, max %.3f)\n", mb,
                    *std::min_element(b.begin(), b.end()), *std::max_element(b.begin(), b.end()));
        std::printf("installer welcome, median: %.3f s (min %.3f, max %.3f)\n", ma,
                    *std::min_element(a.begin(), a.end()), *std::max_element(a.begin(), a.end()));
        std::printf("ratio: %.2f\n", ma / mb);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
