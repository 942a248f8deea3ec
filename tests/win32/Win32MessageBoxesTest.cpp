// The five kinds of message box, as the user sees them: icon, buttons, owner, texts.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "harness/win32/MessageBoxWatcher.h"
#include "platform/text/Cp1251.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Form.h"
#include "platform/win32/Win32Backend.h"
#include "win32/WindowsOf.h"

namespace {

using text::Cp;
using win32test::SeenBox;
using win32test::WindowOf;

class Win32MessageBoxes : public ::testing::Test {
 protected:
  Win32MessageBoxes() {
    ui::FormOptions options;
    options.clientSize = {395, 351};
    form_ = std::make_unique<ui::Form>(backend_, options);
    form_->Show();
  }

  ui::Answer Show(ui::MessageKind kind, bool owned = true) {
    return backend_.ShowMessageBox(owned ? &form_->Peer() : nullptr, kind,
                                   Cp(u8"Текст повідомлення"), Cp(u8"Брумелка"));
  }
  const SeenBox& Last() const { return boxes_.Seen().back(); }

  win32test::MessageBoxWatcher boxes_;
  win32::Win32Backend backend_{::GetModuleHandleW(nullptr)};
  std::unique_ptr<ui::Form> form_;
};

TEST_F(Win32MessageBoxes, TheInformationBoxHasOkOnlyNoIconAndTheApplicationTitle) {
  backend_.SetApplicationTitle(Cp(u8"Брумелка 0.90 - root"));
  ui::ShowMessage(*form_, Cp(u8"Користувачів завантажено"));
  ASSERT_EQ(boxes_.Seen().size(), 1u);
  EXPECT_EQ(Last().text, Cp(u8"Користувачів завантажено"));
  EXPECT_EQ(Last().caption, Cp(u8"Брумелка 0.90 - root"));
  EXPECT_FALSE(Last().anyIcon);
  EXPECT_TRUE(Last().okButton);
  EXPECT_FALSE(Last().yesNoButtons);
  EXPECT_EQ(Last().owner, WindowOf(*form_));
}

TEST_F(Win32MessageBoxes, TheConfirmationAsksYesOrNoWithAQuestionIcon) {
  boxes_.AnswerNext(IDYES);
  EXPECT_EQ(Show(ui::MessageKind::Confirm), ui::Answer::Yes);
  EXPECT_TRUE(Last().questionIcon);
  EXPECT_TRUE(Last().yesNoButtons);
  EXPECT_FALSE(Last().okButton);
  EXPECT_EQ(Last().text, Cp(u8"Текст повідомлення"));
  EXPECT_EQ(Last().caption, Cp(u8"Брумелка"));

  boxes_.AnswerNext(IDNO);
  EXPECT_EQ(Show(ui::MessageKind::Confirm), ui::Answer::No);
}

TEST_F(Win32MessageBoxes, ThePlainQuestionHasYesAndNoButNoIcon) {
  boxes_.AnswerNext(IDYES);
  EXPECT_EQ(Show(ui::MessageKind::PlainYesNo), ui::Answer::Yes);
  EXPECT_FALSE(Last().anyIcon);
  EXPECT_TRUE(Last().yesNoButtons);
  EXPECT_EQ(Last().owner, WindowOf(*form_));
}

TEST_F(Win32MessageBoxes, TheRefusedDialBoxHasNoOwnerWindowEvenWhenOneIsGiven) {
  EXPECT_EQ(Show(ui::MessageKind::Unowned), ui::Answer::Ok);
  EXPECT_EQ(Last().owner, nullptr);
  EXPECT_FALSE(Last().anyIcon);
  EXPECT_TRUE(Last().okButton);
  EXPECT_FALSE(Last().yesNoButtons);
}

TEST_F(Win32MessageBoxes, TheErrorReportHasTheErrorIconAndStaysOverTheActiveWindow) {
  ::SetActiveWindow(WindowOf(*form_));
  EXPECT_EQ(Show(ui::MessageKind::ErrorReport, false), ui::Answer::Ok);
  EXPECT_TRUE(Last().errorIcon);
  EXPECT_TRUE(Last().okButton);
  EXPECT_FALSE(Last().yesNoButtons);
  EXPECT_EQ(Last().owner, WindowOf(*form_));
}

}  // namespace
