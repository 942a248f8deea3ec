#pragma once
// Drives brumelka.exe from outside, as a person or a screen reader would see it: the main
// window is found by its class, controls by class, position and text, and everything is done
// with window messages. Results are read back from windows and files. Nothing here waits a
// fixed time: every wait polls a condition until a deadline.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace blackbox {

using namespace std::chrono_literals;

// How long any single condition may take to come true under a loaded Wine.
inline constexpr std::chrono::milliseconds kTimeout = 20s;
// How long a control may take to show a state the program has already set: a repaint.
inline constexpr std::chrono::milliseconds kPaintTimeout = 5s;

// The main window's class, by which a second copy finds the first.
inline constexpr wchar_t kMainWindowClass[] = L"Velir_caller_Ident";

// Polls `condition` until it holds or `timeout` has passed; the result is the last poll's.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = kTimeout);

// --- files ---

// A new empty folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  void Write(const std::wstring& name, const std::string& bytes) const;
  // The names of the files in the folder, sorted.
  std::vector<std::wstring> FileNames() const;

 private:
  std::filesystem::path path_;
};

std::optional<std::string> ReadBytes(const std::filesystem::path& file);
bool WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// The settings file that the program keeps in the Windows directory.
std::filesystem::path SettingsFile();

// The five fields of one users-file record, as Windows-1251 bytes.
struct UserFields {
  std::string name;
  std::string pass;
  std::string phone;
  std::string login;
  std::string password;
};
// The 94-byte record: length-prefixed Phone (9), Login, Name, Password, Pass (20 each).
std::string UserRecordBytes(const UserFields& user);
std::string UsersFileBytes(const std::vector<UserFields>& users);

// The lines of a text file without their CR LF.
std::vector<std::string> Lines(const std::string& bytes);

// --- time ---

SYSTEMTIME Now();
// "hh:mm" of the present minute, read early enough in it that the program's once-a-second
// look at the clock still falls within it.
std::wstring PresentMinute();
// The texts " DATE о такій годині: TIME" that end a log line written at any second from `from`
// to `to`, in the user's short date and long time formats, as Windows-1251 bytes. The date and
// the time are read apart, so any date of the span may go with any of its times.
std::set<std::string> LogStamps(const SYSTEMTIME& from, const SYSTEMTIME& to);
// Whether `line` is the log line "NAME ACTION DATE о такій годині: TIME" in Windows-1251,
// written at a moment from `from` to `to`.
::testing::AssertionResult IsLogLine(const std::string& line, const std::wstring& name,
                                     const std::wstring& action, const SYSTEMTIME& from,
                                     const SYSTEMTIME& to);

// --- text ---

std::string ToCp1251(const std::wstring& text);
std::wstring FromCp1251(const std::string& bytes);
// Readable form of a byte string for failure messages: printable ASCII as is, the rest \xNN.
std::string Escape(const std::string& bytes);

// --- the program ---

// Variables that a started program gets on top of the test's own environment: each name
// replaces a variable of the same name. Wine passes ordinary variables on to the program; the
// locale (LC_ALL and the like) and with it the code page stay those of the test.
using Environment = std::vector<std::pair<std::wstring, std::wstring>>;

// One run of brumelka.exe in a working folder; the destructor ends it if it still runs.
class Program {
 public:
  // Starts BRUMELKA_EXE with `folder` as its current directory and the test's environment plus
  // `extra`. Fails the calling test (the result is then empty) when the process can't be made.
  static std::unique_ptr<Program> Start(const std::filesystem::path& folder,
                                        const Environment& extra = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  // The visible main window of this process, waited for until it answers messages; null when
  // it didn't come in time.
  HWND WaitForMainWindow(std::chrono::milliseconds timeout = kTimeout) const;
  // The exit code once the process has ended; empty when it still runs at the deadline.
  std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout = kTimeout) const;
  bool Running() const;
  // Closes the main window, waits for the end, and terminates the process if it won't end.
  void Stop();

 private:
  Program(HANDLE process, DWORD id) : process_(process), id_(id) {}
  HANDLE process_;
  DWORD id_;
};

// Every top-level window of the class (of any class when it is null), hidden ones included.
std::vector<HWND> TopLevelWindowsOfClass(const wchar_t* className);
// The visible top-level windows of the process, of the class or of any class when it is null.
std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* className = nullptr);
// Whether the notification area holds the icon that `owner` added with `id`. The shell takes
// a change only to an icon it holds, so a change of nothing asks without altering the icon.
bool NotifyIconShown(HWND owner, UINT id);
// The windows of the icons that Wine shows in its own notification area (one window per icon,
// owned by Wine's shell, which hands the mouse messages they get on to the icon's owner).
std::vector<HWND> WineTrayIconWindows();
// The icon's window in Wine's notification area that came since `before` was read, waited
// for; null when none came.
HWND NewTrayIcon(const std::vector<HWND>& before);
// The ANSI code page of another process, read from its process environment block.
std::optional<unsigned> AnsiCodePageOf(HANDLE process);
// The ANSI code page that Wine gives the locale in BRUMELKA_LC_ALL (1251 when it is unset,
// 1252 for C.UTF-8); empty for a locale not known here.
std::optional<unsigned> ExpectedAnsiCodePage();

// --- windows and controls ---

std::wstring ClassOf(HWND window);
// The window's rectangle in the client coordinates of its parent.
RECT BoundsInParent(HWND window);
// The text by WM_GETTEXT, which crosses the process boundary; empty if the window is hung.
// A text that changes while it is read is read again.
std::wstring TextOf(HWND window);
LONG StyleOf(HWND window);
// The caption of a top-level window, which the system keeps and reads without asking it.
std::wstring CaptionOf(HWND window);
// The window's direct children, in z-order.
std::vector<HWND> ChildrenOf(HWND parent);
// The direct child of `className` whose top-left corner is at (left, top); null if none.
HWND ChildAt(HWND parent, const wchar_t* className, int left, int top);
// The direct children of `className` with exactly this text.
std::vector<HWND> ChildrenWithText(HWND parent, const wchar_t* className, const std::wstring& text);
// One line per child (class, bounds, text) for failure messages.
std::string DescribeChildren(HWND parent);
// How a control's caption is drawn on the screen. Wine answers WM_GETFONT from another
// process with 0, so the weight is read from the pixels instead: the dark pixels inside the
// control (its frame and focus mark left out) are counted and compared with the same caption
// drawn here, in the program's font ("MS Sans Serif", 8 point), once normal and once bold.
enum class Weight { Unreadable, Normal, Bold };
struct DrawnCaption {
  Weight weight = Weight::Unreadable;
  int ink = 0;        // dark pixels seen on the screen
  int normalInk = 0;  // dark pixels of the caption drawn here in the normal font
  int boldInk = 0;    // and in the bold one
};
DrawnCaption CaptionOnScreen(HWND control);
// The width in pixels of `text` on one line in the program's font, as drawn here.
int TextWidth(const std::wstring& text);
std::string Describe(const DrawnCaption& caption);
// Waits until the control's caption is drawn with `weight`; tells what it saw last if not.
::testing::AssertionResult DrawnWith(HWND control, Weight weight);
// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusInThreadOf(HWND window);

// --- acting ---

// A click as the button itself makes one (BM_CLICK, sent and handled before it returns).
bool Click(HWND button);
// The same click posted to the button's thread, for a handler that doesn't return at once
// (one that shows a modal box): the call returns without waiting for it.
bool PostClick(HWND button);
// Types characters into `target` the way TranslateMessage hands them on: one WM_CHAR each,
// posted to the window's thread so that its message loop sees them.
void TypeChars(HWND target, const std::wstring& text);
// A key going down and coming up on `target`, posted like keyboard input: the program's own
// message loop (or a menu's) takes it from the queue.
void PressKey(HWND target, UINT virtualKey);
// Replaces the text of an edit field as a user does: all of it selected, then typed over.
void TypeOver(HWND edit, const std::wstring& text);
// A left click of the mouse in the middle of a control: the button going down and coming up,
// posted to its thread, for controls that aren't buttons (a label that opens a menu).
bool PostMouseClick(HWND control);
// A press of Enter on `target`: the key going down and coming up, posted like keyboard input.
// The character comes from the program's own message loop (IsDialogMessage, TranslateMessage),
// as for a real key: a loop that swallowed Enter would fail the test here too.
void PressEnter(HWND target);
// A narrow string for gtest output.
std::string Utf8(const std::wstring& text);

}  // namespace blackbox
