// Start-up time of the installer against a trivial one-window program: the
// time from process creation until the first window is shown and its thread
// waits for input (painted and idle), the median of several alternating runs.
// With --parts, the trivial program is also timed with each piece of the
// installer's start-up added, to see where the difference goes.
// Usage: e2e_startup_bench [--runs N] [--parts] [--installer PATH] [--trivial PATH]
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
double TimeOneStart(const std::wstring& exe, const std::wstring& caption,
                    const std::wstring& args = L"") {
    LARGE_INTEGER t0, t1;
    QueryPerformanceCounter(&t0);
    Process p = Process::Launch(exe, args);
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

struct Subject {
    const char* label;
    std::wstring exe, caption, args;
    std::vector<double> times;
};

void Report(const Subject& s, double base) {
    const double m = Median(s.times);
    std::printf("%-28s median %.3f s (min %.3f, max %.3f)  x%.2f\n", s.label, m,
                *std::min_element(s.times.begin(), s.times.end()),
                *std::max_element(s.times.begin(), s.times.end()), m / base);
}

// The trivial window and the installer, and with --parts the trivial window
// with each piece of the installer's start-up loaded.
std::vector<Subject> Subjects(const std::wstring& installer, const std::wstring& trivial, bool parts) {
    const std::wstring tw = L"Trivial window";
    std::vector<Subject> subjects = {{"trivial window", trivial, tw, L"", {}},
                                     {"installer, welcome page", installer, kWelcomeCaption, L"", {}}};
    if (!parts) return subjects;
    subjects.push_back({"trivial + COM", trivial, tw, L"com", {}});
    subjects.push_back({"trivial + rich edit", trivial, tw, L"richedit", {}});
    subjects.push_back({"trivial + common controls", trivial, tw, L"comctl", {}});
    subjects.push_back({"trivial + all three", trivial, tw, L"com richedit comctl", {}});
    subjects.push_back({"trivial + shell32", trivial, tw, L"shell", {}});
    return subjects;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int runs = 10;
    bool parts = false;
    std::wstring installer = InstallerPath();
    std::wstring trivial = WindowsPath(VEL_TRIVIAL_EXE);
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::wcscmp(argv[i], L"--parts")) parts = true;
        else if (hasValue && !std::wcscmp(argv[i], L"--runs")) runs = std::max(1, _wtoi(argv[++i]));
        else if (hasValue && !std::wcscmp(argv[i], L"--installer")) installer = argv[++i];
        else if (hasValue && !std::wcscmp(argv[i], L"--trivial")) trivial = argv[++i];
        else {
            std::fprintf(stderr,
                         "usage: e2e_startup_bench [--runs N] [--parts] [--installer PATH] [--trivial PATH]\n");
            return 2;
        }
    }
    std::vector<Subject> subjects = Subjects(installer, trivial, parts);
    try {
        // One unmeasured start of each fills the caches.
        for (Subject& s : subjects) TimeOneStart(s.exe, s.caption, s.args);
        for (int i = 0; i < runs; ++i)
            for (Subject& s : subjects) s.times.push_back(TimeOneStart(s.exe, s.caption, s.args));
        const double base = Median(subjects[0].times);
        std::printf("runs: %d, time from start until the first window is shown and idle\n", runs);
        for (const Subject& s : subjects) Report(s, base);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "benchmark failed: %s\n", e.what());
        return 1;
    }
    return 0;
}
