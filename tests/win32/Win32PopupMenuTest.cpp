// A popup menu is built from the model each time it opens: entries, separators, greyed
// entries and submenus, and the entry picked comes back as its model item.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "contract/ToolkitHarness.h"
#include "platform/text/Cp1251.h"
#include "platform/ui/Menu.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::WindowOf;

struct SeenEntry {
  std::wstring text;
  bool separator;
  bool grayed;
  int submenuEntries;  // -1: no submenu
};

// Reads the menu as Windows has it when it opens, then sends the keys given.
class MenuReader {
 public:
  explicit MenuReader(std::vector<WORD> keys) : keys_(std::move(keys)) {
    reader_ = this;
    hook_ = ::SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId());
    // Should the keys go astray, the menu is closed rather than left waiting for a user.
    giveUp_ = ::SetTimer(nullptr, 0, 10000, GiveUp);
  }
  ~MenuReader() {
    ::KillTimer(nullptr, giveUp_);
    ::UnhookWindowsHookEx(hook_);
    reader_ = nullptr;
  }

  std::vector<SeenEntry> entries;

 private:
  static void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); }

  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITMENUPOPUP && reader_ != nullptr &&
        HIWORD(call->lParam) == 0 && reader_->entries.empty())
      reader_->Read(reinterpret_cast<HMENU>(call->wParam));
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }

  void Read(HMENU menu) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[128] = {};
      ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
      const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      const HMENU submenu = ::GetSubMenu(menu, i);
      entries.push_back({text, (state & MF_SEPARATOR) != 0, (state & MF_GRAYED) != 0,
                         submenu != nullptr ? ::GetMenuItemCount(submenu) : -1});
    }
    std::vector<INPUT> inputs;
    for (const WORD key : keys_) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = key;
      inputs.push_back(input);
      input.ki.dwFlags = KEYEVENTF_KEYUP;
      inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  }

  static inline MenuReader* reader_ = nullptr;
  HHOOK hook_ = nullptr;
  UINT_PTR giveUp_ = 0;
  std::vector<WORD> keys_;
};

class Win32PopupMenu : public ::testing::Test {
 protected:
  Win32PopupMenu() {
    ui::FormOptions options;
    options.clientSize = {395, 351};
    form_ = std::make_unique<ui::Form>(harness_->Backend(), options);
    form_->Show();
    harness_->WaitUntil([&] { return ::GetActiveWindow() == WindowOf(*form_); }, 2000);
    menu_ = std::make_unique<ui::PopupMenu>(*form_);
    first_ = &menu_->Add(Cp(u8"Робота з новим користувачем"));
    second_ = &menu_->Add(Cp(u8"Вимкнення комп'ютера.."));
    menu_->Add("-");
    menu_->Add(Cp(u8"Документація"), false);
    ui::MenuItem& help = menu_->Add(Cp(u8"Довідка"));
    help.Add(Cp(u8"Про програму"));
    help.Add("-");
  }

  std::unique_ptr<ToolkitHarness> harness_ = MakeToolkitHarness();
  std::unique_ptr<ui::Form> form_;
  std::unique_ptr<ui::PopupMenu> menu_;
  ui::MenuItem* first_ = nullptr;
  ui::MenuItem* second_ = nullptr;
};

TEST_F(Win32PopupMenu, TheMenuShowsTheModelAndReturnsTheEntryPicked) {
  int secondClicks = 0;
  int firstClicks = 0;
  first_->OnClick = [&] { ++firstClicks; };
  second_->OnClick = [&] { ++secondClicks; };
  MenuReader reader({VK_DOWN, VK_DOWN, VK_RETURN});

  menu_->Popup({100, 100});
  ASSERT_EQ(reader.entries.size(), 5u);
  EXPECT_EQ(reader.entries[0].text, L"Робота з новим користувачем");
  EXPECT_EQ(reader.entries[1].text, L"Вимкнення комп'ютера..");
  EXPECT_TRUE(reader.entries[2].separator);
  EXPECT_EQ(reader.entries[3].text, L"Документація");
  EXPECT_TRUE(reader.entries[3].grayed);
  EXPECT_FALSE(reader.entries[1].grayed);
  EXPECT_EQ(reader.entries[4].text, L"Довідка");
  EXPECT_EQ(reader.entries[4].submenuEntries, 2);
  EXPECT_EQ(reader.entries[0].submenuEntries, -1);
  EXPECT_EQ(secondClicks, 1);
  EXPECT_EQ(firstClicks, 0);
}

TEST_F(Win32PopupMenu, EscapePicksNothing) {
  int clicks = 0;
  first_->OnClick = [&] { ++clicks; };
  second_->OnClick = [&] { ++clicks; };
  MenuReader reader({VK_DOWN, VK_ESCAPE});
  EXPECT_EQ(harness_->Backend().TrackPopupMenu(form_->Peer(), *menu_, {100, 100}), nullptr);
  EXPECT_EQ(reader.entries.size(), 5u);
  EXPECT_EQ(clicks, 0);
}

TEST_F(Win32PopupMenu, ItIsBuiltAnewSoEnabledStatesAreCurrent) {
  second_->SetEnabled(false);
  {
    MenuReader reader({VK_ESCAPE});
    menu_->Popup({100, 100});
    ASSERT_EQ(reader.entries.size(), 5u);
    EXPECT_TRUE(reader.entries[1].grayed);
  }
  second_->SetEnabled(true);
  MenuReader reader({VK_ESCAPE});
  menu_->Popup({100, 100});
  ASSERT_EQ(reader.entries.size(), 5u);
  EXPECT_FALSE(reader.entries[1].grayed);
}

}  // namespace
