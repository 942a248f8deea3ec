// The administrator's users dialog: a user added there is written to the users file when
// the dialog is closed with a Yes, and gets his button in the strip.

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kDialogCaption = L"Користувачі";
const std::wstring kSaveQuestion = L"Зберегти зміни в файл?";

// The dialog's controls.
constexpr Place kUsersList{L"ListBox", 12, 26};
constexpr Place kPhoneField{L"Edit", 178, 26};
constexpr Place kLoginField{L"Edit", 178, 72};
constexpr Place kPasswordField{L"Edit", 178, 118};
constexpr Place kNameField{L"Edit", 178, 164};
constexpr Place kPassField{L"Edit", 178, 210};
constexpr Place kAddButton{L"Button", 12, 246};
constexpr Place kCloseButton{L"Button", 290, 280};

// The main menu to "Користувачі" and into it, where "Користувачі.." comes first.
const std::vector<UINT> kUsersItem = {VK_DOWN, VK_DOWN, VK_RIGHT};

const UserFields kRoot{"root", "", "", "", ""};
const UserFields kIryna{ToCp1251(L"Ірина"), "iryna", "0442", "iryna_l", "net-i"};
const UserFields kMarko{ToCp1251(L"Марко"), ToCp1251(L"мій-7"), "044777", ToCp1251(L"марко_лог"),
                        ToCp1251(L"з'єднання")};

class UsersDialogTest : public BlackBoxTest {
 protected:
  std::vector<std::wstring> ListLines(HWND list) const {
    std::vector<std::wstring> lines;
    DWORD_PTR count = 0;
    ::SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    for (WPARAM i = 0; i < count; ++i) {
      wchar_t line[256] = {};
      DWORD_PTR length = 0;
      ::SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 5000, &length);
      if (length >= 256) break;
      ::SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line), SMTO_ABORTIFHUNG,
                            5000, &length);
      lines.emplace_back(line);
    }
    return lines;
  }

  // Types the text over the field's and waits until all of it has arrived; of a password
  // field only the length is read back.
  void Fill(HWND dialog, const Place& place, const std::string& cp1251, bool password = false) {
    HWND field = DialogControl(dialog, place);
    ASSERT_NE(field, nullptr);
    const std::wstring text = FromCp1251(cp1251);
    TypeOver(field, text);
    const auto arrived = [&] {
      if (!password) return TextOf(field) == text;
      DWORD_PTR length = 0;
      return ::SendMessageTimeoutW(field, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                   &length) != 0 &&
             length == text.size();
    };
    ASSERT_TRUE(WaitUntil(arrived)) << "the field at " << place.left << "," << place.top
                                    << " holds \"" << Utf8(TextOf(field)) << "\"";
  }
};

TEST_F(UsersDialogTest, RootAddsAUserWhoIsSavedOnClosingAndGetsHisButton) {
  WriteUsers({kRoot, kIryna});
  ASSERT_NO_FATAL_FAILURE(StartProgram());
  ASSERT_NO_FATAL_FAILURE(LogIn(L"root", L""));
  ASSERT_NO_FATAL_FAILURE(ChooseFromMainMenu(kUsersItem));
  HWND dialog = WaitForWindow(kDialogCaption);
  ASSERT_NE(dialog, nullptr) << "the users dialog did not come";
  EXPECT_FALSE(::IsWindowEnabled(window_)) << "the main window takes input under the dialog";

  // Everybody listed, the first one shown.
  HWND list = DialogControl(dialog, kUsersList);
  ASSERT_NE(list, nullptr);
  const std::vector<std::wstring> listed = ListLines(list);
  EXPECT_EQ(Utf8(listed.size() == 2 ? listed[0] + L"|" + listed[1] : L"?"), Utf8(L"root|Ірина"))
      << listed.size() << " lines listed";
  EXPECT_EQ(Utf8(TextOf(DialogControl(dialog, kNameField))), "root");

  // The fields in the dialog's keyboard order, the name before the user's password.
  ASSERT_NO_FATAL_FAILURE(Fill(dialog, kPhoneField, kMarko.phone));
  ASSERT_NO_FATAL_FAILURE(Fill(dialog, kLoginField, kMarko.login));
  ASSERT_NO_FATAL_FAILURE(Fill(dialog, kNameField, kMarko.name));
  ASSERT_NO_FATAL_FAILURE(Fill(dialog, kPasswordField, kMarko.password, /*password=*/true));
  ASSERT_NO_FATAL_FAILURE(Fill(dialog, kPassField, kMarko.pass, /*password=*/true));
  ASSERT_TRUE(Click(DialogControl(dialog, kAddButton)));
  const std::vector<std::wstring> lines = ListLines(list);
  EXPECT_EQ(Utf8(lines.empty() ? L"" : lines.back()), Utf8(FromCp1251(kMarko.name)))
      << lines.size() << " lines listed";
  EXPECT_TRUE(Boxes().empty()) << "adding a new name showed a message box";

  // Closing asks before the file is written, in a box captioned with the program's title.
  ASSERT_TRUE(PostClick(DialogControl(dialog, kCloseButton)));
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<HWND> boxes = Boxes();
    box = boxes.size() == 1 ? boxes.front() : nullptr;
    return box != nullptr;
  })) << "closing the dialog asked nothing";
  EXPECT_EQ(Utf8(CaptionOf(box)), Utf8(Caption()));
  EXPECT_EQ(ChildrenWithText(box, L"Static", kSaveQuestion).size(), 1u) << "the box holds:\n"
                                                                        << DescribeChildren(box);
  HWND yes = ::GetDlgItem(box, IDYES);
  ASSERT_NE(yes, nullptr) << "the box holds:\n" << DescribeChildren(box);
  EXPECT_EQ(ReadBytes(folder_.Path() / L"users.usr"), UsersFileBytes({kRoot, kIryna}))
      << "the file was written before the answer";
  ASSERT_TRUE(PostClick(yes));
  ASSERT_TRUE(WaitUntil([&] { return Boxes().empty() && !::IsWindowVisible(dialog); }))
      << "the question or the dialog is still up";
  EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(window_) != FALSE; }));

  // The new user's 94-byte record at the end of the file, after the two that were there.
  const std::optional<std::string> file = ReadBytes(folder_.Path() / L"users.usr");
  ASSERT_TRUE(file.has_value());
  ASSERT_EQ(file->size(), 3u * 94u) << Escape(*file);
  EXPECT_EQ(Escape(file->substr(0, 188)), Escape(UsersFileBytes({kRoot, kIryna})));
  EXPECT_EQ(Escape(file->substr(188)), Escape(UserRecordBytes(kMarko)));

  // And his button in the strip, with the others'.
  EXPECT_NE(UserButton(FromCp1251(kMarko.name)), nullptr);
  EXPECT_NE(UserButton(L"Ірина"), nullptr);
  EXPECT_NE(UserButton(L"root"), nullptr);
}

}  // namespace
}  // namespace blackbox
