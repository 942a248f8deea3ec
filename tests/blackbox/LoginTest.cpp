// Choosing a user with his button and logging in with his own password, typed and confirmed
// with Enter as from the keyboard.

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kPetro = L"Петро";
const std::wstring kPetroPass = L"Пароль-7";
const std::wstring kIryna = L"Ірина";

class LoginTest : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers({{ToCp1251(kIryna), "iryna", "0442", "iryna_l", "net-i"},
                {ToCp1251(kPetro), ToCp1251(kPetroPass), "044123456", ToCp1251(L"petro_лог"),
                 ToCp1251(L"з'єднання")},
                {"root", "", "", "", ""}});
    ASSERT_NO_FATAL_FAILURE(StartProgram());
  }

  // Clicks the user's button and waits until the password field has the focus.
  void ChooseUser(const std::wstring& name) {
    HWND button = UserButton(name);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(Click(button));
    HWND passEdit = RequireControl(kPassEdit);
    ASSERT_NE(passEdit, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return FocusInThreadOf(window_) == passEdit; }))
        << "the focus is not in the user password field after choosing " << Utf8(name);
  }

  // Types into the focused window and presses Enter there, as the keyboard would.
  void TypeAndPressEnter(const std::wstring& text) {
    HWND focus = FocusInThreadOf(window_);
    ASSERT_NE(focus, nullptr);
    TypeChars(focus, text);
    PressEnter(focus);
  }

  void ExpectNobodyBold(const std::vector<std::wstring>& names) {
    for (const std::wstring& name : names) {
      HWND button = UserButton(name);
      if (button == nullptr) continue;
      EXPECT_TRUE(DrawnWith(button, Weight::Normal));
    }
  }

  std::wstring FieldText(const Place& place) const { return TextOf(RequireControl(place)); }
};

TEST_F(LoginTest, RightPasswordAndEnterLogTheUserIn) {
  ASSERT_NO_FATAL_FAILURE(ChooseUser(kPetro));
  EXPECT_EQ(Utf8(FieldText(kStatusLine)), Utf8(kPetro + L", введіть, будь ласка, власний пароль."));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));

  ASSERT_NO_FATAL_FAILURE(TypeAndPressEnter(kPetroPass));
  EXPECT_TRUE(WaitUntil([&] { return Caption() == kTitle + L" - " + kPetro; }))
      << "caption: " << Utf8(Caption());
  EXPECT_EQ(Utf8(FieldText(kStatusLine)), Utf8(L"Змінено користувача на \"" + kPetro + L"\"."));
  EXPECT_EQ(Utf8(FieldText(kPhoneEdit)), "044123456");
  EXPECT_EQ(Utf8(FieldText(kLoginEdit)), Utf8(L"petro_лог"));
  EXPECT_EQ(Utf8(FieldText(kPasswordEdit)), Utf8(L"з'єднання"));

  HWND petro = UserButton(kPetro);
  ASSERT_NE(petro, nullptr);
  EXPECT_TRUE(DrawnWith(petro, Weight::Bold));
  ExpectNobodyBold({kIryna, L"root"});

  // Enter also moves the focus on to the connect button.
  HWND connect = RequireControl(kConnectButton);
  EXPECT_TRUE(WaitUntil([&] { return FocusInThreadOf(window_) == connect; }));
}

TEST_F(LoginTest, WrongPasswordChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(ChooseUser(kPetro));
  // A wrong case of one letter is a wrong password.
  ASSERT_NO_FATAL_FAILURE(TypeAndPressEnter(L"пароль-7"));
  // Enter is handled once the focus has gone on to the connect button.
  HWND connect = RequireControl(kConnectButton);
  ASSERT_TRUE(WaitUntil([&] { return FocusInThreadOf(window_) == connect; }))
      << "Enter was not handled in the password field";

  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  EXPECT_EQ(Utf8(FieldText(kStatusLine)), Utf8(kPetro + L", введіть, будь ласка, власний пароль."));
  for (const Place& field : {kPhoneEdit, kLoginEdit, kPasswordEdit})
    EXPECT_EQ(Utf8(FieldText(field)), "") << "field at " << field.top;
  ExpectNobodyBold({kIryna, kPetro, L"root"});
}

TEST_F(LoginTest, RootWithEmptyPasswordIsLoggedInByHisButton) {
  HWND root = UserButton(L"root");
  ASSERT_NE(root, nullptr);
  ASSERT_TRUE(Click(root));

  EXPECT_TRUE(WaitUntil([&] { return Caption() == kTitle + L" - root"; }))
      << "caption: " << Utf8(Caption());
  EXPECT_EQ(Utf8(FieldText(kStatusLine)), Utf8(L"Змінено користувача на \"root\"."));
  EXPECT_TRUE(DrawnWith(root, Weight::Bold));
  ExpectNobodyBold({kIryna, kPetro});
}

TEST_F(LoginTest, ChoosingAnotherUserAfterALogInTakesItBack) {
  ASSERT_NO_FATAL_FAILURE(ChooseUser(kPetro));
  ASSERT_NO_FATAL_FAILURE(TypeAndPressEnter(kPetroPass));
  ASSERT_TRUE(WaitUntil([&] { return Caption() == kTitle + L" - " + kPetro; }))
      << "caption: " << Utf8(Caption());

  ASSERT_NO_FATAL_FAILURE(ChooseUser(kIryna));
  EXPECT_EQ(Utf8(FieldText(kStatusLine)), Utf8(kIryna + L", введіть, будь ласка, власний пароль."));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  for (const Place& field : {kPhoneEdit, kLoginEdit, kPasswordEdit})
    EXPECT_EQ(Utf8(FieldText(field)), "") << "field at " << field.top;
  ExpectNobodyBold({kIryna, kPetro, L"root"});

  ASSERT_NO_FATAL_FAILURE(TypeAndPressEnter(L"iryna"));
  EXPECT_TRUE(WaitUntil([&] { return Caption() == kTitle + L" - " + kIryna; }))
      << "caption: " << Utf8(Caption());
  EXPECT_EQ(Utf8(FieldText(kPhoneEdit)), "0442");
  EXPECT_TRUE(DrawnWith(UserButton(kIryna), Weight::Bold));
  ExpectNobodyBold({kPetro, L"root"});
}

}  // namespace
}  // namespace blackbox
