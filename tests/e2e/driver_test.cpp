// The driver's own promises: paths, clean-up, bounded waits that kill the
// child, and screenshots that show what is on the screen.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "tests/e2e/installer.h"

namespace e2e {
namespace {

TEST(DriverTest, UnixPathsBecomeDriveZPaths) {
    EXPECT_EQ(L"Z:\\work\\a b\\vel_instaluj.exe", WindowsPath("/work/a b/vel_instaluj.exe"));
    EXPECT_EQ(L"Z:\\tmp\\zażółć", WindowsPath("/tmp/zażółć"));
    EXPECT_EQ(L"C:\\Program Files\\x.exe", WindowsPath("C:\\Program Files\\x.exe"));
}

// A locale that is not generated on the host silently gives US English: the
// harness's choice must really reach Wine, code page included.
TEST(DriverTest, WineRunsAsTheSystemTheHarnessNames) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    ASSERT_NE(0, GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH));
    EXPECT_EQ(SystemLocaleName(), name);
    EXPECT_EQ(LANGIDFROMLCID(LocaleNameToLCID(SystemLocaleName().c_str(), 0)), GetUserDefaultUILanguage());
    const UINT ansi = SystemLocaleName() == L"pl-PL" ? 1250 : 1252;
    EXPECT_EQ(ansi, GetACP());
}

TEST(DriverTest, TempFolderGoesWithEverythingInIt) {
    std::wstring path;
    {
        TempFolder folder;
        path = folder.Path();
        ASSERT_TRUE(CreateDirectoryW((path + L"sub").c_str(), nullptr));
        std::ofstream((path + L"sub\\a.txt").c_str()) << "a";
        std::ofstream((path + L"b.txt").c_str()) << "b";
        SetFileAttributesW((path + L"b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(std::vector<std::wstring>{L"b.txt"}, FilesIn(path, L"*.txt"));
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}

TEST(DriverTest, AFailedWaitThrowsAndTheChildIsKilled) {
    HANDLE copy = nullptr;
    {
        Process p = LaunchInstaller();
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), p.Handle(), GetCurrentProcess(), &copy,
                                    SYNCHRONIZE, FALSE, 0));
        const ULONGLONG start = GetTickCount64();
        EXPECT_THROW(p.WaitWindow(L"no such window", 300), Failure);
        EXPECT_THROW(p.WaitMessageBox(300), Failure);
        EXPECT_LT(GetTickCount64() - start, 5000u) << "the waits are bounded";
        EXPECT_TRUE(p.Running());
    }
    base::ScopedHandle child(copy);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(child.get(), 0)) << "killed when the test let go";
}

TEST(DriverTest, ClickRefusesADisabledButton) {
    Process p = LaunchInstaller();
    HWND licence = GoToLicence(p, p.WaitWindow(kWelcomeCaption));
    EXPECT_THROW(Click(licence, TLic_win::kButton2), Failure);
    EXPECT_EQ(licence, p.WaitWindow(kLicenceCaption)) << "the page stays";
    CloseBox(licence);
    EXPECT_EQ(0u, p.WaitExit());
}

// A 24-bit BMP as Screenshot writes it.
struct Bmp {
    int width = 0, height = 0;
    std::string bytes;
    COLORREF At(int x, int y) const {  // y from the top
        const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
        const size_t off = 54 + stride * size_t(height - 1 - y) + size_t(x) * 3;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + off);
        return RGB(p[2], p[1], p[0]);
    }
};

Bmp ReadBmp(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    Bmp b;
    b.bytes.assign(std::istreambuf_iterator<char>(in), {});
    if (b.bytes.size() < 54 || b.bytes.compare(0, 2, "BM") != 0) return b;
    std::memcpy(&b.width, b.bytes.data() + 18, 4);
    std::memcpy(&b.height, b.bytes.data() + 22, 4);
    return b;
}

TEST(DriverTest, ScreenshotShowsTheWindow) {
    Process p = LaunchInstaller();
    HWND w = p.WaitWindow(kWelcomeCaption);
    Sleep(150);  // the display catches up with the painting
    TempFolder folder;
    Screenshot(w, folder.Path() + L"witaj.bmp");
    Bmp shot = ReadBmp(folder.Path() + L"witaj.bmp");
    RECT frame{};
    GetWindowRect(w, &frame);
    ASSERT_EQ(frame.right - frame.left, shot.width);
    ASSERT_EQ(frame.bottom - frame.top, shot.height);
    // Client point (x, y) in the picture.
    POINT origin{0, 0};
    ClientToScreen(w, &origin);
    auto at = [&](int x, int y) { return shot.At(origin.x - frame.left + x, origin.y - frame.top + y); };
    EXPECT_EQ(RGB(255, 255, 255), at(300, 100)) << "the white page between the labels";
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), at(100, 330)) << "the button panel";
    int differing = 0;  // the side picture is a picture, not a flat fill
    for (int y = 0; y < 300; y += 10) differing += at(80, y) != at(80, 0);
    EXPECT_GT(differing, 5);
    CloseBox(w);
    EXPECT_EQ(0u, p.WaitExit());
}

}  // namespace
}  // namespace e2e
