#pragma once
// The typical run of the installer as a list of steps, each acting on the
// running installer and photographing what it shows. Adding a step means
// adding one entry to a list; the runner numbers the pictures.
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/driver.h"

namespace e2e {

class Walk {
public:
    Walk(Process& process, std::wstring folder);

    Process& process() { return process_; }
    // Saves the window as "<NN>-<name>.bmp" in the folder and prints the path.
    void Shot(HWND window, const std::wstring& name);
    // A message box together with the window it covers.
    void ShotOver(HWND window, HWND box, const std::wstring& name);
    // Every visible window of the process, for a step that failed.
    void ShotAll(const std::wstring& name);

private:
    std::wstring Next(const std::wstring& name);
    void Settle(HWND window);

    Process& process_;
    std::wstring folder_;
    int count_ = 0;
};

struct Step {
    std::wstring name;
    std::function<void(Walk&)> run;
};

// The welcome and licence pages, up to Next on the licence page.
std::vector<Step> PageSteps();
// The install window: a whole installation of the sample payload, then a
// printout of the installed files and the two shortcuts.
std::vector<Step> InstallSteps();
// After the last page: what is still open is photographed and closed, and the
// installer must end.
std::vector<Step> ClosingSteps();

}  // namespace e2e
