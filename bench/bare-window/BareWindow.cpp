// The yardsticks for start-up time and memory: the least a Win32 program does to show a window.
// It registers a class, creates and shows one window and runs the message loop. Built three
// ways (bench/CMakeLists.txt), to tell what the program costs from what its kind of window
// costs: bare; under the program's manifest with the version 6 common controls (visual styles)
// loaded as the program loads them (BENCH_COMMON_CONTROLS); and with the main window's standard
// controls besides, of the same classes and styles, in the same places, with the same texts
// (BENCH_WITH_CONTROLS).

#include <windows.h>
#ifdef BENCH_COMMON_CONTROLS
// After windows.h, whose types it uses.
#include <commctrl.h>
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
