#include "tests/e2e/driver.h"

#include <algorithm>
#include <cwctype>
#include <fstream>


namespace e2e {

namespace {

struct EnumState {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<EnumState*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd)) s->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

bool HasButton(HWND dialog, int id) {
    for (HWND c : Descendants(dialog))
        if (GetDlgCtrlID(c) == id && _wcsicmp(ClassOf(c).c_str(), L"Button") == 0) return true;
    return false;
}

// The system's message box is a dialog with the standard answer buttons; the
// installer's own windows number their controls from 100 up.
bool IsMessageBox(HWND w) {
    return ClassOf(w) == L"#32770" &&
           (HasButton(w, IDOK) || HasButton(w, IDYES) || HasButton(w, IDNO));
}

// The text of a message box: the static control with the system's text id,
// else the longest static text (the icon is a static without text).
std::wstring MessageText(HWND box) {
    std::wstring best;
    for (HWND c : Descendants(box)) {
        if (_wcsicmp(ClassOf(c).c_str(), L"Static") != 0) continue;
        std::wstring t = TextOf(c);
        if (GetDlgCtrlID(c) == 0xFFFF) return t;
        if (t.size() > best.size()) best = t;
    }
    return best;
}

void WriteBmp(const std::wstring& path, int w, int h, const std::vector<BYTE>& bits) {
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{sizeof(ih)};
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = static_cast<DWORD>(bits.size());
    fh.bfType = 0x4D42;  // "BM"
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
    out.write(reinterpret_cast<const char*>(&ih), sizeof(ih));
    out.write(reinterpret_cast<const char*>(bits.data()), static_cast<std::streamsize>(bits.size()));
    if (!out) throw Failure(L"cannot write " + path);
}

}  // namespace

Failure::Failure(const std::wstring& what) : std::runtime_error(Narrow(what)) {}

std::wstring WindowsPath(const std::string& path) {
    std::wstring w = Widen(path);
    if (w.empty() || w[0] != L'/') return w;
    std::replace(w.begin(), w.end(), L'/', L'\\');
    return L"Z:" + w;
}

// ---- files ----

std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern) {
    std::wstring dir = folder;
    if (!dir.empty() && dir.back() != L'\\') dir += L'\\';
    std::vector<std::wstring> out;
    WIN32_FIND_DATAW fd;
    base::ScopedFind h(FindFirstFileW((dir + pattern).c_str(), &fd));
    if (!h) return out;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out.push_back(fd.cFileName);
    } while (FindNextFileW(h.get(), &fd));
    std::sort(out.begin(), out.end());
    return out;
}

void CopyFileOrThrow(const std::wstring& from, const std::wstring& to) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
        throw Failure(L"cannot copy " + from + L" to " + to + L" (error " +
                      std::to_wstring(GetLastError()) + L")");
}

// ---- Process ----

Process Process::Launch(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir) {
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
    std::wstring dir = workDir.empty() ? exe.substr(0, exe.find_last_of(L"\\/") + 1) : workDir;
    STARTUPINFOW si{sizeof(si)};
    PROCESS_INFORMATION pi{};
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR (seen once
    // in some hundred starts, never twice in a row): that one is tried again.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           dir.empty() ? nullptr : dir.c_str(), &si, &pi))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3)
            throw Failure(L"cannot start " + exe + L" (error " + std::to_wstring(error) + L")");
        Sleep(200);
    }
    Process p;
    p.process_.reset(pi.hProcess);
    p.thread_.reset(pi.hThread);
    p.pid_ = pi.dwProcessId;
    return p;
}

Process::~Process() { Kill(); }

Process& Process::operator=(Process&& o) noexcept {
    if (this != &o) {
        Kill();
        process_ = std::move(o.process_);
        thread_ = std::move(o.thread_);
        pid_ = o.pid_;
    }
    return *this;
}

bool Process::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

DWORD Process::WaitExit(DWORD timeoutMs) {
    if (!process_) throw Failure(L"no process");
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) {
        std::wstring seen = Describe();
        Kill();
        throw Failure(L"the process did not end within " + std::to_wstring(timeoutMs) +
                      L" ms; its windows: " + seen);
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void Process::Kill() {
    if (Running()) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), kTimeoutMs);
    }
}

std::vector<HWND> Process::Windows() const {
    EnumState s{pid_, {}};
    if (pid_) EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND Process::FindWindowByCaption(const std::wstring& caption) const {
    for (HWND w : Windows())
        if (IsWindowEnabled(w) && TextOf(w) == caption && !IsMessageBox(w)) return w;
    return nullptr;
}

HWND Process::WaitWindow(const std::wstring& caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    if (!WaitUntil([&] { return (found = FindWindowByCaption(caption)) != nullptr || !Running(); },
                   timeoutMs) || !found)
        throw Failure(L"no window \"" + caption + L"\" within " + std::to_wstring(timeoutMs) +
                      L" ms" + (Running() ? L"; windows: " + Describe() : L"; the process ended"));
    WaitIdle(found, timeoutMs);
    return found;
}

void Process::WaitGone(HWND window, DWORD timeoutMs) const {
    if (!WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs))
        throw Failure(L"window \"" + TextOf(window) + L"\" still open after " +
                      std::to_wstring(timeoutMs) + L" ms");
}

HWND Process::FindMessageBox() const {
    for (HWND w : Windows())
        if (IsMessageBox(w)) return w;
    return nullptr;
}

HWND Process::WaitMessageBox(DWORD timeoutMs) const {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = FindMessageBox()) != nullptr || !Running(); }, timeoutMs) || !box)
        throw Failure(L"no message box within " + std::to_wstring(timeoutMs) + L" ms" +
                      (Running() ? L"; windows: " + Describe() : L"; the process ended"));
    WaitIdle(box, timeoutMs);
    return box;
}

MessageBoxSeen Process::AnswerMessageBox(int buttonId, DWORD timeoutMs) const {
    MessageBoxSeen seen;
    seen.hwnd = WaitMessageBox(timeoutMs);
    seen.caption = TextOf(seen.hwnd);
    seen.text = MessageText(seen.hwnd);
    for (HWND c : Descendants(seen.hwnd))
        if (_wcsicmp(ClassOf(c).c_str(), L"Button") == 0) {
            seen.buttons.push_back(GetDlgCtrlID(c));
            seen.buttonTexts.push_back(TextOf(c));
        }
    if (!HasButton(seen.hwnd, buttonId))
        throw Failure(L"message box \"" + seen.caption + L"\" (" + seen.text + L") has no button " +
                      std::to_wstring(buttonId));
    Click(seen.hwnd, buttonId);
    WaitGone(seen.hwnd, timeoutMs);
    return seen;
}

void Process::WaitIdle(HWND window, DWORD timeoutMs) const {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) &&
        IsWindow(window))
        throw Failure(L"window \"" + TextOf(window) + L"\" does not answer");
}

std::wstring Process::Describe() const {
    std::wstring out;
    for (HWND w : Windows()) {
        if (!out.empty()) out += L", ";
        out += L"[" + ClassOf(w) + L"] \"" + TextOf(w) + L"\"";
        if (IsMessageBox(w)) out += L" text \"" + MessageText(w) + L"\"";
    }
    return out.empty() ? L"(none)" : out;
}

// ---- controls ----

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> out;
    EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&out));
    return out;
}

HWND FindControl(HWND window, int id) {
    for (HWND c : Descendants(window))
        if (GetDlgCtrlID(c) == id) return c;
    return nullptr;
}

HWND Control(HWND window, int id) {
    HWND c = FindControl(window, id);
    if (!c) throw Failure(L"no control " + std::to_wstring(id) + L" in \"" + TextOf(window) + L"\"");
    return c;
}

HWND FindControlByText(HWND window, const std::wstring& cls, const std::wstring& text) {
    for (HWND c : ControlsOfClass(window, cls))
        if (TextOf(c) == text) return c;
    return nullptr;
}

std::vector<HWND> ControlsOfClass(HWND window, const std::wstring& cls) {
    std::vector<HWND> out;
    for (HWND c : Descendants(window))
        if (_wcsicmp(ClassOf(c).c_str(), cls.c_str()) == 0) out.push_back(c);
    return out;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, int(std::size(name)));
    return name;
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, kTimeoutMs, &state);
    return state == BST_CHECKED;
}

HWND FocusedControl(HWND window, DWORD timeoutMs) {
    HWND focus = nullptr;
    WaitUntil([&] {
        GUITHREADINFO gti{sizeof(gti)};
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gti)) return false;
        focus = (gti.hwndFocus && IsChild(window, gti.hwndFocus)) ? gti.hwndFocus : nullptr;
        return focus != nullptr;
    }, timeoutMs);
    return focus;
}

void Click(HWND window, int id) { ClickControl(Control(window, id)); }

void ClickControl(HWND button) {
    if (!IsWindowVisible(button)) throw Failure(L"button \"" + TextOf(button) + L"\" is hidden");
    if (!IsWindowEnabled(button))
        throw Failure(L"button \"" + TextOf(button) + L"\" is disabled");
    PostMessageW(button, BM_CLICK, 0, 0);
}

void PressKey(HWND window, UINT vk) {
    GUITHREADINFO gti{sizeof(gti)};
    HWND target = window;
    DWORD tid = GetWindowThreadProcessId(window, nullptr);
    if (GetGUIThreadInfo(tid, &gti) && gti.hwndFocus &&
        (gti.hwndFocus == window || IsChild(window, gti.hwndFocus)))
        target = gti.hwndFocus;
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, vk, 1 | (LPARAM(scan) << 16));
    PostMessageW(target, WM_KEYUP, vk, 1 | (LPARAM(scan) << 16) | (LPARAM(0xC0) << 24));
}

void TypeKey(HWND window, UINT vk, UINT modifier) {
    SetForegroundWindow(window);
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 2000))
        throw Failure(L"cannot bring \"" + TextOf(window) + L"\" to the foreground");
    std::vector<INPUT> in;
    auto key = [&in](UINT k, DWORD flags) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = static_cast<WORD>(k);
        i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(k, MAPVK_VK_TO_VSC));
        i.ki.dwFlags = flags;
        in.push_back(i);
    };
    if (modifier) key(modifier, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (modifier) key(modifier, KEYEVENTF_KEYUP);
    if (SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)) != in.size())
        throw Failure(L"SendInput failed");
}

void CloseBox(HWND window) { PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void Screenshot(HWND window, const std::wstring& path) {
    RECT r{};
    GetWindowRect(window, &r);
    ScreenshotArea(r, path);
}

void ScreenshotArea(RECT r, const std::wstring& path) {
    const testing_support::ScreenPicture picture = testing_support::CaptureScreen(r);
    if (picture.bits.empty()) throw Failure(L"nothing to photograph for " + path);
    WriteBmp(path, picture.width, picture.height, picture.bits);
}

}  // namespace e2e
