// copy_bench keep SOURCE TARGET   - CopyFolderTreeKeepSource as the installer runs it: the room
//                                  on the target checked first, the progress shown on a busy
//                                  form's bar and the form kept alive as it goes
// copy_bench plain SOURCE TARGET  - the same without an observer: no room check, no progress
// copy_bench sealed SOURCE TARGET SEAL - keep, checked against a seal file
//                                  (scripts/release/seal-payload.py) as a sealed medium is
// copy_bench floor SOURCE TARGET  - bare loop: FindFirstFileW + CopyFileW per file
// copy_bench hash SOURCE          - the system's SHA-256 of every file, as a sealed copy
//                                  reads and hashes them, with no copy
// copy_bench list SOURCE          - ListFilesRecursive with its memory cost
// Each prints one line of "key value" pairs for copy-bench.sh.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "base/sha256.h"
#include "copy_observer.h"
#include "seal.h"
#include "tree_copy.h"
#include "ui/busy.h"
#include "ui/form.h"
#include "ui/platform.h"
#include "vtutils.h"

using engine::AddTrailingBackslash;
using engine::CopyComplete;
using engine::CopyFailure;
using engine::CopyFolderTreeKeepSource;
using engine::CopyObserver;
using engine::CopyResult;
using engine::ListFilesRecursive;
using engine::ListFolderTree;
using engine::Seal;
using engine::UnlistedFolder;

namespace {

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Elapsed() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return Milliseconds(start_, now);
    }

private:
    LARGE_INTEGER start_;
};

// The least any tree copy must do: list each folder once, create each target
// folder once, copy each file once. The copy is told to fail on an existing
// file: into an empty target that is the cheaper call (Wine otherwise first
// opens the destination to see whether it is the source itself).
size_t FloorCopy(const std::wstring& source, const std::wstring& target) {
    CreateDirectoryW(target.c_str(), nullptr);
    WIN32_FIND_DATAW entry;
    const base::ScopedFind find(FindFirstFileW((source + L'*').c_str(), &entry));
    if (!find) return 0;
    size_t copied = 0;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied += FloorCopy(source + name + L'\\', target + name + L'\\');
        else if (CopyFileW((source + name).c_str(), (target + name).c_str(), TRUE))
            ++copied;
    } while (FindNextFileW(find.get(), &entry));
    return copied;
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

double Megabytes(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

std::string ReadFile(const std::wstring& path) {
    const base::ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                            nullptr));
    std::string text(file ? GetFileSize(file.get(), nullptr) : 0, '\0');
    DWORD read = 0;
    if (file) ::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    text.resize(read);
    return text;
}

// A window with the install window's progress bar, busy while the copy runs:
// the copy's observer checks the room as the installer does, and shows the
// progress, keeping the window alive.
constexpr int kBar = 100;
constexpr ui::ControlSpec kControls[] = {
    {.id = kBar, .kind = ui::Kind::Progress, .x = 13, .y = 20, .w = 210, .h = 17, .flags = ui::kHidden}};
const ui::FormSpec kBusySpec =
    ui::MakeForm(L"copy_bench", 300, 60, ui::Border::Single, ui::kFaceColor, {L"Tahoma", 13}, kControls);

class ShownCopy : public ui::Form, public CopyObserver {
public:
    explicit ShownCopy(const std::wstring& target) : ui::Form(kBusySpec), target_(target) {
        Bind(bar_, kBar);
        ui::InitControls();
        Create();
        busy_.emplace(*this, bar_, L"copy_bench");
    }
    bool Planned(const Plan& plan) override {
        ULARGE_INTEGER free{};
        if (GetDiskFreeSpaceExW(target_.c_str(), &free, nullptr, nullptr) && free.QuadPart < plan.bytesNeeded)
            return false;
        busy_->Expect(plan.units);
        return true;
    }
    void Progress(unsigned long long done) override { busy_->Progress(done); }

private:
    std::wstring target_;
    ui::ProgressBar bar_;
    std::optional<ui::BusyForm> busy_;
};

// With a seal, what a sealed installer does: the medium checked against the
// list first, then copied with every file hashed as it is read.
int Keep(const std::wstring& source, const std::wstring& target, const std::wstring& sealFile = L"",
         bool shown = true) {
    std::optional<Seal> seal;
    if (!sealFile.empty() && !(seal = Seal::Parse(ReadFile(sealFile)))) {
        std::fprintf(stderr, "no seal in %ls\n", sealFile.c_str());
        return 2;
    }
    std::vector<CopyFailure> failures;
    CreateDirectoryW(target.c_str(), nullptr);  // the installer's target exists before the copy
    std::optional<ShownCopy> window;
    if (shown) window.emplace(target);
    Stopwatch watch;
    if (seal && !seal->Inspect(AddTrailingBackslash(source)).none()) {
        std::fprintf(stderr, "the source differs from its seal\n");
        return 1;
    }
    const CopyResult result = CopyFolderTreeKeepSource(source, target, nullptr, &failures, seal ? &*seal : nullptr,
                                                       window ? &*window : nullptr);
    std::printf("ms %.1f result %d failures %u\n", watch.Elapsed(), static_cast<int>(result),
                static_cast<unsigned>(failures.size()));
    return result == CopyComplete ? 0 : 1;
}

int Floor(const std::wstring& source, const std::wstring& target) {
    Stopwatch watch;
    const size_t copied = FloorCopy(AddTrailingBackslash(source), AddTrailingBackslash(target));
    std::printf("ms %.1f copied %u\n", watch.Elapsed(), static_cast<unsigned>(copied));
    return 0;
}

// The hashing a sealed copy does, alone: the tree listed once as the copy
// lists it, each file read in the pieces the copy reads (64 KB, the staging
// buffer) and hashed by bcrypt.dll through base::Sha256, nothing written.
int HashOnly(const std::wstring& source) {
    std::vector<char> buffer(64 << 10);
    unsigned long long bytes = 0;
    Stopwatch watch;
    std::vector<std::wstring> files;
    std::vector<UnlistedFolder> unlisted;
    ListFolderTree(AddTrailingBackslash(source), files, unlisted);
    for (const std::wstring& file : files) {
        const base::ScopedFile from(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        base::Sha256 hash;
        bool ok = from && hash.ready();
        DWORD got = 0;
        while (ok && (ok = ::ReadFile(from.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) &&
               got > 0) {
            hash.Update(buffer.data(), got);
            bytes += got;
        }
        if (!ok) {
            std::fprintf(stderr, "cannot hash %ls (error %lu)\n", file.c_str(), GetLastError());
            return 1;
        }
        hash.Finish();
    }
    std::printf("ms %.1f files %u mb %.1f\n", watch.Elapsed(), static_cast<unsigned>(files.size()),
                Megabytes(bytes));
    return unlisted.empty() ? 0 : 1;
}

int List(const std::wstring& folder) {
    const PROCESS_MEMORY_COUNTERS before = Memory();
    std::vector<std::wstring> files;
    Stopwatch watch;
    ListFilesRecursive(folder, files);
    const double ms = watch.Elapsed();
    const PROCESS_MEMORY_COUNTERS after = Memory();
    std::printf("ms %.1f files %u peak_ws_before_mb %.1f peak_ws_after_mb %.1f "
                "peak_private_before_mb %.1f peak_private_after_mb %.1f\n",
                ms, static_cast<unsigned>(files.size()), Megabytes(before.PeakWorkingSetSize),
                Megabytes(after.PeakWorkingSetSize), Megabytes(before.PeakPagefileUsage),
                Megabytes(after.PeakPagefileUsage));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"keep" && argc == 4) return Keep(argv[2], argv[3]);
    if (mode == L"plain" && argc == 4) return Keep(argv[2], argv[3], L"", false);
    if (mode == L"sealed" && argc == 5) return Keep(argv[2], argv[3], argv[4]);
    if (mode == L"floor" && argc == 4) return Floor(argv[2], argv[3]);
    if (mode == L"hash" && argc == 3) return HashOnly(argv[2]);
    if (mode == L"list" && argc == 3) return List(argv[2]);
    std::fprintf(stderr,
                 "usage: copy_bench keep|plain|floor SOURCE TARGET | sealed SOURCE TARGET SEAL | hash|list FOLDER\n");
    return 2;
}
