// Forms are top-level windows of the class their options name, framed as the program's
// windows are, and the main form's end is the program's.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "contract/ToolkitHarness.h"
#include "platform/text/Cp1251.h"
#include "platform/win32/Win32Backend.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::ClassOf;
using win32test::ExStyleOf;
using win32test::StyleOf;
using win32test::WindowOf;

class Win32FormWindows : public ::testing::Test {
 protected:
  std::unique_ptr<ui::Form> MakeForm(ui::FormStyle style, const std::string& windowClass = {}) {
    ui::FormOptions options;
    options.style = style;
    options.windowClass = windowClass;
    options.caption = Cp(u8"Моя брумелка");
    options.clientSize = {395, 351};
    return std::make_unique<ui::Form>(harness_->Backend(), options);
  }
  win32::Win32Backend& Backend() { return dynamic_cast<win32::Win32Backend&>(harness_->Backend()); }

  std::unique_ptr<ToolkitHarness> harness_ = MakeToolkitHarness();
};

TEST_F(Win32FormWindows, TheMainFormIsFoundByItsClassNameEvenWhileHidden) {
  auto main = MakeForm(ui::FormStyle::Main, "Velir_caller_Ident");
  const HWND found = ::FindWindowW(L"Velir_caller_Ident", nullptr);
  EXPECT_EQ(found, WindowOf(*main));
  EXPECT_FALSE(::IsWindowVisible(found));
  EXPECT_EQ(ClassOf(found), L"Velir_caller_Ident");

  auto dialog = MakeForm(ui::FormStyle::Dialog);
  EXPECT_EQ(ClassOf(WindowOf(*dialog)), L"BrumelkaForm") << "the default class";
}

TEST_F(Win32FormWindows, TheMainFormHasAFixedFrameWithMinimiseBoxAndTheDialogsAModalFrame) {
  auto main = MakeForm(ui::FormStyle::Main);
  auto dialog = MakeForm(ui::FormStyle::Dialog);

  const LONG mainStyle = StyleOf(WindowOf(*main));
  EXPECT_EQ(mainStyle & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(mainStyle & WS_SYSMENU);
  EXPECT_TRUE(mainStyle & WS_MINIMIZEBOX);
  EXPECT_FALSE(mainStyle & WS_MAXIMIZEBOX);
  EXPECT_FALSE(mainStyle & WS_THICKFRAME) << "not resizable";
  EXPECT_FALSE(mainStyle & WS_POPUP);
  EXPECT_EQ(::GetWindow(WindowOf(*main), GW_OWNER), nullptr);

  const LONG dialogStyle = StyleOf(WindowOf(*dialog));
  EXPECT_TRUE(dialogStyle & WS_POPUP);
  EXPECT_EQ(dialogStyle & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(dialogStyle & WS_SYSMENU);
  EXPECT_FALSE(dialogStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(ExStyleOf(WindowOf(*dialog)) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(::GetWindow(WindowOf(*dialog), GW_OWNER), WindowOf(*main))
      << "dialogs belong to the main window: no taskbar button of their own";

  RECT client{};
  ::GetClientRect(WindowOf(*dialog), &client);
  EXPECT_EQ(client.right, 395);
  EXPECT_EQ(client.bottom, 351);
}

TEST_F(Win32FormWindows, DestroyingTheMainFormEndsTheMessageLoopWithCodeZero) {
  auto main = MakeForm(ui::FormStyle::Main);
  auto dialog = MakeForm(ui::FormStyle::Dialog);
  main->Show();
  bool dialogClosedFirst = false;
  Backend().PostToUiThread([&] {
    dialog->Close();  // a dialog's end is not the program's
    dialogClosedFirst = true;
    Backend().PostToUiThread([&] { main->Close(); });
  });

  EXPECT_EQ(Backend().RunMessageLoop(), 0);
  EXPECT_TRUE(dialogClosedFirst);
  EXPECT_FALSE(::IsWindow(reinterpret_cast<HWND>(main->Peer().NativeHandle())));
}

TEST_F(Win32FormWindows, TheCloseBoxOfAModalFormPutsItAwayToBeShownAgain) {
  auto main = MakeForm(ui::FormStyle::Main);
  auto dialog = MakeForm(ui::FormStyle::Dialog);
  main->Show();
  int closes = 0;
  dialog->OnClose = [&] { ++closes; };

  for (int showing = 0; showing < 2; ++showing) {
    Backend().PostToUiThread([&] { harness_->CloseBox(*dialog); });
    dialog->ShowModal(main.get());
    EXPECT_TRUE(::IsWindow(WindowOf(*dialog)));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_TRUE(main->Peer().Enabled());
  }
  EXPECT_EQ(closes, 2);
}

TEST_F(Win32FormWindows, ModalFormsShowOverTheirOwnerAndGiveTheActivationBack) {
  auto main = MakeForm(ui::FormStyle::Main);
  auto dialog = MakeForm(ui::FormStyle::Dialog);
  main->Show();
  harness_->WaitUntil([&] { return ::GetActiveWindow() == WindowOf(*main); }, 2000);
  HWND activeMeanwhile = nullptr;
  Backend().PostToUiThread([&] {
    activeMeanwhile = ::GetActiveWindow();
    dialog->EndModal();
  });

  dialog->ShowModal(main.get());
  EXPECT_EQ(activeMeanwhile, WindowOf(*dialog));
  EXPECT_EQ(::GetWindow(WindowOf(*dialog), GW_OWNER), WindowOf(*main));
  EXPECT_TRUE(harness_->WaitUntil([&] { return ::GetActiveWindow() == WindowOf(*main); }, 2000));
}

}  // namespace
