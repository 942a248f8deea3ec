// Pictures of the program for the README, taken by scripts/screenshots.sh under Wine.
// Each case starts brumelka.exe in a fresh folder with a few users and the demo phone book,
// brings one window into view the way a person would and saves what the screen shows of it
// as a BMP file named after the window in the folder BRUMELKA_SCREENSHOTS (the script turns
// them into PNG files). It drives the program with the black-box tests' driver, so a picture
// that can't be taken fails here with the same messages as those tests.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kAdmin = L"root";
const std::wstring kUser = L"Ірина";
const std::wstring kUserPass = L"iryna";
const std::vector<UserFields> kUsers = {
    {"root", "", "", "", ""},
    {ToCp1251(kUser), ToCp1251(kUserPass), "5550100", "iryna_l", "net-i"},
    {ToCp1251(L"Марко"), ToCp1251(L"мій-7"), "5550101", ToCp1251(L"марко"), "net-m"},
    {ToCp1251(L"Оксана"), ToCp1251(L"ключ-5"), "5550102", "oksana", "net-o"},
};

// The main menu's items, reached with the arrow keys from its first one, "Статистика".
const std::vector<UINT> kUsersItem = {VK_DOWN, VK_DOWN, VK_RIGHT};
const std::vector<UINT> kSettingsItem = {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT};
const std::vector<UINT> kTurnOffItem(6, VK_DOWN);

// The message of the tray icon and the click that opens its menu.
constexpr UINT kTrayMessage = 1025;

std::filesystem::path OutputFolder() {
  const char* folder = std::getenv("BRUMELKA_SCREENSHOTS");
  return folder != nullptr ? std::filesystem::path(folder) : std::filesystem::current_path();
}

// Writes the pixels of `bounds` on the screen as a 24-bit BMP file.
::testing::AssertionResult SaveScreenArea(const RECT& bounds, const std::filesystem::path& file) {
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return ::testing::AssertionFailure() << "an empty window";

  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  const bool copied =
      ::BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY) != 0;
  ::SelectObject(memory, previous);

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up rows, as BMP files keep them
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  std::vector<char> pixels(stride * static_cast<std::size_t>(height));
  const bool read =
      copied && ::GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  if (!read) return ::testing::AssertionFailure() << "could not read the screen";

  BITMAPFILEHEADER fileHeader{};
  fileHeader.bfType = 0x4d42;  // "BM"
  fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
  fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + pixels.size());
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  if (!out) return ::testing::AssertionFailure() << "could not write " << file.string();
  return ::testing::AssertionSuccess();
}

// The settings dialog shows its files by their full names. A fixed folder keeps them, and with
// them the picture, the same from run to run.
const std::filesystem::path kDataFolder = L"C:\\Брумелка";

class Screenshots : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers(kUsers);
    const char* phoneBook = std::getenv("BRUMELKA_PHONEBOOK");
    ASSERT_NE(phoneBook, nullptr) << "BRUMELKA_PHONEBOOK must name the demo phone book";
    const std::optional<std::string> entries = ReadBytes(phoneBook);
    ASSERT_TRUE(entries) << "could not read " << phoneBook;
    folder_.Write(L"phonebook.ini", *entries);
  }

  void TearDown() override {
    BlackBoxTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(kDataFolder, ignored);
  }

  void Start() {
    ASSERT_NO_FATAL_FAILURE(
        StartProgram({{L"BRUMELKA_RAS_PHONEBOOK", (folder_.Path() / L"phonebook.ini").wstring()}}));
  }

  // Saves the window as <name>.bmp. It is painted anew first, on top, and then given time:
  // nothing tells from outside when another process has finished drawing, and a picture may
  // wait. A menu's first painting was seen to come late on a loaded machine.
  void Save(HWND window, const std::string& name) {
    ASSERT_NE(window, nullptr);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    RECT bounds{};
    ASSERT_TRUE(::GetWindowRect(window, &bounds));
    EXPECT_TRUE(SaveScreenArea(bounds, OutputFolder() / (name + ".bmp")));
  }

  void SaveDialog(const std::vector<UINT>& item, const std::wstring& caption,
                  const std::string& name) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(LogIn(kAdmin, L""));
    ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(item));
    HWND dialog = WaitForWindow(caption);
    ASSERT_NE(dialog, nullptr) << "no window \"" << Utf8(caption) << "\"";
    Save(dialog, name);
  }
};

TEST_F(Screenshots, MainWindow) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn(kUser, kUserPass));
  Save(window_, "main");
}

TEST_F(Screenshots, UsersDialog) {
  SaveDialog(kUsersItem, L"Користувачі", "users");
}

TEST_F(Screenshots, SettingsDialog) {
  std::error_code error;
  std::filesystem::create_directories(kDataFolder, error);
  ASSERT_FALSE(error) << "could not make " << kDataFolder.string();
  const std::filesystem::path users = kDataFolder / L"users.usr";
  ASSERT_TRUE(WriteBytes(users, UsersFileBytes(kUsers)));
  const std::wstring settings = L"[Main]\r\nProgram name=Брумелка\r\n[Data files]\r\nUsersFile=" +
                                users.wstring() + L"\r\nLogFileName=" +
                                (kDataFolder / L"connects.log").wstring() +
                                L"\r\n[Params]\r\nIsMinimizeToTrayOnConnect=1\r\n"
                                L"TimeLogMinuteInterval=10\r\nIsShowInTrayOnStartup=0\r\n";
  ASSERT_TRUE(WriteBytes(SettingsFile(), ToCp1251(settings)));
  SaveDialog(kSettingsItem, L"Настройки", "settings");
}

TEST_F(Screenshots, PowerOffDialog) {
  SaveDialog(kTurnOffItem, L"Вимкнення комп'ютера", "power-off");
}

// The tray menu opens where the mouse pointer is, as after a right click on the icon.
TEST_F(Screenshots, TrayMenu) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn(kUser, kUserPass));
  // Beside the main window: activating the window for its menu was seen to raise the window
  // over a menu that opened on top of it, on a screen without a window manager.
  RECT main{};
  ASSERT_TRUE(::GetWindowRect(window_, &main));
  ASSERT_TRUE(::SetCursorPos(main.right + 16, main.top));
  ASSERT_TRUE(::PostMessageW(window_, kTrayMessage, 0, WM_RBUTTONDOWN));
  std::vector<HWND> menus;
  ASSERT_TRUE(WaitUntil([&] {
    menus = VisibleWindowsOf(program_->Id(), L"#32768");
    return !menus.empty();
  })) << "no menu after a right click on the tray icon";
  Save(menus.front(), "tray-menu");
  PressKey(menus.front(), VK_ESCAPE);
}

}  // namespace
}  // namespace blackbox
