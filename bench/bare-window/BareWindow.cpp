// The yardsticks for start-up time and memory: the least a Win32 program does to show a window.
// It registers a class, creates and shows one window and runs the message loop. Built three
// ways (bench/CMakeLists.txt), to tell what the program costs from what its kind of window
// costs: bare; under the program's manifest with the version 6 common controls (visual styles)
// loaded as the program loads them (BENCH_COMMON_CONTROLS); and with the main window's standard
// controls besides, of the same classes and styles, in the same places, with the same texts
// (BENCH_WITH_CONTROLS); and with what the program's first paint shows besides: the program's
// icon, its settings read as it reads them, the phone book listed from the remote-access
// service and the labels' texts measured for their sizes (BENCH_WITH_CONTENT).

#include <windows.h>
#ifdef BENCH_COMMON_CONTROLS
// After windows.h, whose types it uses.
#include <commctrl.h>
#endif
#ifdef BENCH_WITH_CONTENT
#include <ras.h>
#include <raserror.h>

#include <string>
#include <string_view>
#include <vector>
#endif

namespace {

#ifdef BENCH_WITH_CONTROLS
struct Child {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
  RECT place;  // left, top, width, height
  const wchar_t* text;
};

constexpr DWORD kEdit = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOTIFY;

constexpr Child kChildren[] = {
    {L"LISTBOX",
     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
     WS_EX_CLIENTEDGE,
     {14, 34, 121, 159},
     L""},
    {L"EDIT", kEdit, WS_EX_CLIENTEDGE, {176, 36, 203, 21}, L""},
    {L"EDIT", kEdit, WS_EX_CLIENTEDGE, {176, 80, 203, 21}, L""},
    {L"EDIT", kEdit | ES_PASSWORD, WS_EX_CLIENTEDGE, {176, 170, 203, 21}, L""},
    {L"BUTTON", kButton, 0, {12, 208, 117, 25}, L"З`єднатися"},
    {L"BUTTON", kButton, 0, {12, 240, 117, 25}, L"Розірвати зв`язок"},
    {L"EDIT", kEdit | ES_PASSWORD, WS_EX_CLIENTEDGE, {176, 122, 203, 21}, L""},
    {L"BUTTON", BS_PUSHBUTTON | BS_FLAT, 0, {8, 307, 17, 37}, L"<"},
    {L"BUTTON", BS_PUSHBUTTON | BS_FLAT, 0, {368, 307, 17, 37}, L">"},
    {L"BUTTON", kButton, 0, {30, 314, 80, 22}, L"root"},
    {L"STATIC", kLabel, 0, {16, 16, 117, 13}, L"Доступні з`єднання"},
    {L"STATIC", kLabel, 0, {176, 18, 129, 13}, L"Телефон провайдера:"},
    {L"STATIC", kLabel, 0, {176, 62, 35, 13}, L"Логін:"},
    {L"STATIC", kLabel, 0, {176, 104, 108, 13}, L"Пароль з'єднання:"},
    {L"STATIC", kLabel, 0, {176, 152, 124, 13}, L"Пароль користувача:"},
    {L"STATIC",
     kLabel,
     0,
     {12, 280, 368, 13},
     L"Слід ввести свої особисті дані для того, щоб увійти в мережу."},
    {L"STATIC", kLabel, 0, {352, 285, 32, 13}, L"Меню"},
    {L"STATIC", SS_ETCHEDHORZ | SS_NOTIFY, 0, {8, 300, 377, 2}, L""},
    {L"STATIC", SS_SUNKEN | SS_NOTIFY, 0, {24, 308, 345, 35}, L""},
};
#endif

#ifdef BENCH_WITH_CONTENT
// The settings the program reads at start, each as it reads it: one profile call a key.
void ReadSettings() {
  const wchar_t* const keys[][2] = {{L"Main", nullptr},
                                    {L"Data files", L"UsersFile"},
                                    {L"Data files", L"LogFileName"},
                                    {L"Params", L"IsMinimizeToTrayOnConnect"},
                                    {L"Params", L"TimeLogMinuteInterval"},
                                    {L"Params", L"IsShowInTrayOnStartup"}};
  wchar_t value[256];
  for (const auto& key : keys)
    ::GetPrivateProfileStringW(key[0], key[1], L"", value, 256, L"brumelka.ini");
}

// The phone book's entries, from the service loaded from the system folder as the program
// loads it.
std::vector<std::wstring> PhoneBookEntries() {
  std::vector<std::wstring> names;
  const HMODULE library = ::LoadLibraryExW(L"rasapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr) return names;
  using EnumEntries = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, LPRASENTRYNAMEW, LPDWORD, LPDWORD);
  const auto enumEntries = reinterpret_cast<EnumEntries>(
      reinterpret_cast<void (*)()>(::GetProcAddress(library, "RasEnumEntriesW")));
  if (enumEntries == nullptr) return names;
  std::vector<RASENTRYNAMEW> entries(16);
  entries[0].dwSize = sizeof(RASENTRYNAMEW);
  DWORD bytes = static_cast<DWORD>(entries.size() * sizeof(RASENTRYNAMEW));
  DWORD count = 0;
  if (enumEntries(nullptr, nullptr, entries.data(), &bytes, &count) == ERROR_BUFFER_TOO_SMALL) {
    entries.resize(bytes / sizeof(RASENTRYNAMEW) + 1);
    entries[0].dwSize = sizeof(RASENTRYNAMEW);
    bytes = static_cast<DWORD>(entries.size() * sizeof(RASENTRYNAMEW));
    if (enumEntries(nullptr, nullptr, entries.data(), &bytes, &count) != 0) count = 0;
  }
  for (DWORD i = 0; i < count && i < entries.size(); ++i) names.push_back(entries[i].szEntryName);
  return names;
}

// A label's size as its text needs it in the font it draws with, measured on the screen.
void FitLabel(HFONT font, const wchar_t* text) {
  const HDC dc = ::GetDC(nullptr);
  const HGDIOBJ previous = ::SelectObject(dc, font);
  RECT extent{0, 0, 0, 0};
  ::DrawTextW(dc, text, -1, &extent, DT_CALCRECT | DT_EXPANDTABS | DT_LEFT);
  ::SelectObject(dc, previous);
  ::ReleaseDC(nullptr, dc);
}
#endif

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
#ifdef BENCH_COMMON_CONTROLS
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
#endif
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
#ifdef BENCH_WITH_CONTENT
  windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                   ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
  // Files are read before the first window: under Wine, the controls of this window made after
  // a file had been opened, once a window existed, took about 0.2 ms longer each.
  ReadSettings();
  const std::vector<std::wstring> entries = PhoneBookEntries();
#endif
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"BareWindow";
  if (::RegisterClassExW(&windowClass) == 0) return 1;
  // The size of the program's main window.
  HWND window = ::CreateWindowExW(0, L"BareWindow", L"Bare window",
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 401, 380, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
#ifdef BENCH_WITH_CONTROLS
  const HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  int id = 100;
  for (const Child& child : kChildren) {
    HWND control =
        ::CreateWindowExW(child.exStyle, child.className, child.text,
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | child.style, child.place.left,
                          child.place.top, child.place.right, child.place.bottom, window,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
    if (control == nullptr) return 1;
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
#ifdef BENCH_WITH_CONTENT
    if (child.className == std::wstring_view(L"STATIC") && *child.text != L'\0')
      FitLabel(font, child.text);
    if (child.className == std::wstring_view(L"LISTBOX"))
      for (const std::wstring& name : entries)
        ::SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
#endif
  }
#endif
  ::ShowWindow(window, show);
  ::UpdateWindow(window);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
