// Walks the typical run of the installer and saves a picture of every window
// on the way. Usage: e2e_walk [--installer PATH] --out FOLDER
#include <cstdio>
#include <cwchar>

#include "tests/e2e/installer.h"
#include "tools/walk/walk.h"

using namespace e2e;

namespace {

std::vector<Step> TypicalRun() {
    std::vector<Step> steps = PageSteps();
    for (Step& s : InstallSteps()) steps.push_back(std::move(s));
    for (Step& s : ClosingSteps()) steps.push_back(std::move(s));
    return steps;
}

int Usage() {
    std::fprintf(stderr, "usage: e2e_walk [--installer PATH] --out FOLDER\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring installer = InstallerPath(), out;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--installer") == 0) installer = argv[i + 1];
        else if (std::wcscmp(argv[i], L"--out") == 0) out = argv[i + 1];
        else return Usage();
    }
    if (out.empty()) return Usage();
    CreateDirectoryW(out.c_str(), nullptr);
    Process p;
    Walk walk(p, out);
    std::wstring step = L"start";
    try {
        p = Process::Launch(installer);
        for (const Step& s : TypicalRun()) {
            step = s.name;
            s.run(walk);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "walk failed at step %s: %s\n", Narrow(step).c_str(), e.what());
        try {
            walk.ShotAll(L"blad-" + step);
        } catch (const std::exception&) {
        }
        return 1;
    }
    return 0;
}
