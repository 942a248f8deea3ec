// Dialling the entries of the simulated remote-access service and hanging up, as seen from
// outside: the entry list, the status line, the message box of a refused dial, the window,
// and the lines that connects.log gets.

#include <algorithm>

#include "blackbox/Fixture.h"

namespace blackbox {
namespace {

const std::wstring kName = L"Оксана";
const std::wstring kPass = L"ключ-5";
const std::string kPhone = "0445550";
const std::wstring kLogin = L"оксана_в";
const std::wstring kPassword = L"таємниця";

// The phone book, in file order. The first entry keeps credentials of its own that it
// doesn't accept: only those in the window's fields get through.
const std::wstring kHome = L"Домашній інтернет";
const std::wstring kSpare = L"Резервний вузол";
const std::wstring kBusyLine = L"Зайнята лінія";
const std::wstring kSparePassword = L"інший-пароль";

// The status line.
const std::wstring kLoggedIn = L"Змінено користувача на \"" + kName + L"\".";
const std::vector<std::wstring> kProgress = {
    L"Відкриваю порт.",
    L"Порт відкрито.",
    L"Приєднується пристрій зв`язку.",
    L"Пристрій зв`язку приєднався.",
    L"Усі пристрої приєднано.",
    L"Починається розпізнавання користувача в мережі.",
};
const std::wstring kAuthenticated = L"Користувач розпізнаний.";
const std::wstring kConnected = L"Ви ввійшли в мережу.";
const std::wstring kDisconnected = L"Роз`єднано.";
const std::wstring kChooseNameFirst = L"Виберіть своє ім`я і введіть пароль.";
// The service's texts for errors 691 and 676.
const std::wstring kAccessDenied = L"Доступ заборонено: ім`я користувача або пароль неправильні.";
const std::wstring kLineBusy = L"Лінія зайнята.";

const std::wstring kErrorCaption = L"На жаль, помилка.";
const std::wstring kConnectAction = L"з`єднався";
const std::wstring kDisconnectAction = L"розз`єднався";

constexpr Place kConnectionList{L"ListBox", 14, 34};
constexpr Place kDisconnectButton{L"Button", 12, 240};
constexpr wchar_t kLogFile[] = L"connects.log";

std::string PhoneBook(int homeStepMs) {
  const std::wstring text =
      L"[" + kHome + L"]\r\nPhone=111\r\nLogin=чужий\r\nPassword=чужий-пароль\r\n" +
      L"AcceptLogin=" + kLogin + L"\r\nAcceptPassword=" + kPassword + L"\r\nStepMs=" +
      std::to_wstring(homeStepMs) + L"\r\n\r\n[" + kSpare + L"]\r\nAcceptPassword=" +
      kSparePassword + L"\r\nStepMs=60\r\n\r\n[" + kBusyLine + L"]\r\nRefuse=676\r\n";
  return ToCp1251(text);
}

// Whether `seen` lists texts of `order` only, each once at most and in that order.
::testing::AssertionResult InOrder(const std::vector<std::wstring>& seen,
                                   const std::vector<std::wstring>& order) {
  auto next = order.begin();
  for (const std::wstring& text : seen) {
    next = std::find(next, order.end(), text);
    if (next == order.end()) {
      std::string all;
      for (const std::wstring& each : seen) all += "\n  \"" + Utf8(each) + "\"";
      return ::testing::AssertionFailure()
             << "\"" << Utf8(text) << "\" is out of order or not a text of this dial; the "
             << "status line showed, in turn:" << all;
    }
    ++next;
  }
  return ::testing::AssertionSuccess();
}

std::vector<std::wstring> Concat(std::vector<std::wstring> first,
                                 const std::vector<std::wstring>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

class DialTest : public BlackBoxTest {
 protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::SetUp());
    WriteUsers({{ToCp1251(kName), ToCp1251(kPass), kPhone, ToCp1251(kLogin), ToCp1251(kPassword)}});
    folder_.Write(L"phonebook.ini", PhoneBook(60));
  }

  // Settings that leave the window in sight after a dial.
  void KeepWindowOnConnect() { WriteSettings(false, false); }

  // Starts the program with the test's folder as the simulated system.
  void Start() { StartProgram({{L"BRUMELKA_SIMULATE", folder_.Path().wstring()}}); }

  void LogIn() {
    ASSERT_NO_FATAL_FAILURE(BlackBoxTest::LogIn(kName, kPass));
    ASSERT_EQ(Utf8(Status()), Utf8(kLoggedIn));
  }

  std::wstring Status() const { return TextOf(Control(kStatusLine)); }

  // Polls the status line until it shows `last` or the time is up; the different texts it
  // showed meanwhile, in turn.
  std::vector<std::wstring> StatusUntil(const std::wstring& last) const {
    std::vector<std::wstring> seen;
    WaitUntil([&] {
      const std::wstring now = Status();
      if (seen.empty() || seen.back() != now) seen.push_back(now);
      return now == last;
    });
    return seen;
  }

  LRESULT ListMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    HWND list = RequireControl(kConnectionList);
    DWORD_PTR result = static_cast<DWORD_PTR>(LB_ERR);
    if (list == nullptr ||
        !::SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
      ADD_FAILURE() << "the entry list didn't answer message " << message;
    return static_cast<LRESULT>(result);
  }

  std::vector<std::wstring> Entries() const {
    std::vector<std::wstring> names;
    const LRESULT count = ListMessage(LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
      const LRESULT length = ListMessage(LB_GETTEXTLEN, static_cast<WPARAM>(i));
      if (length < 0) break;
      std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
      const LRESULT copied =
          ListMessage(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name.data()));
      name.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
      names.push_back(name);
    }
    return names;
  }

  // Selects an entry as a click in the list would leave it.
  void SelectEntry(int index) {
    ASSERT_EQ(ListMessage(LB_SETCURSEL, static_cast<WPARAM>(index)), index);
    HWND list = RequireControl(kConnectionList);
    ::SendMessageTimeoutW(window_, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(list), LBN_SELCHANGE),
                          reinterpret_cast<LPARAM>(list), SMTO_ABORTIFHUNG, 5000, nullptr);
  }

  std::optional<std::string> LogBytes() const { return ReadBytes(folder_.Path() / kLogFile); }

  // The log's lines without their CR LF; fails the test when the log doesn't end with one.
  std::vector<std::string> LogLines() const {
    const std::optional<std::string> bytes = LogBytes();
    EXPECT_TRUE(bytes.has_value()) << "no connects.log in the working folder";
    if (!bytes) return {};
    EXPECT_TRUE(bytes->empty() || bytes->ends_with("\r\n"))
        << "the log doesn't end with CR LF: " << Escape(*bytes);
    return Lines(*bytes);
  }

  void ExpectNoLog() const {
    const std::vector<std::wstring> files = folder_.FileNames();
    EXPECT_EQ(std::count(files.begin(), files.end(), kLogFile), 0)
        << "connects.log holds: " << Escape(LogBytes().value_or(""));
  }

  void ExpectFieldsEmpty() const {
    for (const Place& field : {kPhoneEdit, kLoginEdit, kPasswordEdit, kPassEdit})
      EXPECT_EQ(Utf8(TextOf(RequireControl(field))), "") << "field at " << field.top;
  }
};

TEST_F(DialTest, WithNoEntrySelectedTheFirstIsDialledAndTheConnectIsLogged) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  // The phone book's entries, in file order, none of them chosen.
  const std::vector<std::wstring> entries = Entries();
  EXPECT_EQ(Utf8(entries.size() == 3 ? entries[0] + L"|" + entries[1] + L"|" + entries[2] : L""),
            Utf8(kHome + L"|" + kSpare + L"|" + kBusyLine))
      << entries.size() << " entries listed";
  EXPECT_EQ(ListMessage(LB_GETCURSEL), LB_ERR);
  ASSERT_NO_FATAL_FAILURE(LogIn());

  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));

  // The stages in turn, the last one the connection: the first entry's own stored login and
  // password would have been refused.
  const std::vector<std::wstring> seen = StatusUntil(kConnected);
  EXPECT_EQ(Utf8(seen.back()), Utf8(kConnected));
  EXPECT_TRUE(InOrder(seen, Concat(Concat({kLoggedIn}, kProgress), {kAuthenticated, kConnected})));
  const SYSTEMTIME after = Now();
  EXPECT_EQ(ListMessage(LB_GETCURSEL), 0) << "the first entry is not shown chosen";

  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));

  // The settings keep the window in sight, still with the user logged in.
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - " + kName));
}

TEST_F(DialTest, HangUpLogsTheDisconnectAndLogsTheUserOut) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND connect = RequireControl(kConnectButton);
  HWND disconnect = RequireControl(kDisconnectButton);
  ASSERT_NE(connect, nullptr);
  ASSERT_NE(disconnect, nullptr);

  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));
  ASSERT_EQ(Utf8(StatusUntil(kConnected).back()), Utf8(kConnected));
  ASSERT_TRUE(Click(disconnect));
  const SYSTEMTIME after = Now();

  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle));
  ExpectFieldsEmpty();
  HWND user = UserButton(kName);
  if (user != nullptr) {
    EXPECT_TRUE(DrawnWith(user, Weight::Normal));
  }

  // The disconnect line still bears the user's name.
  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 2u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));
  EXPECT_TRUE(IsLogLine(lines[1], kName, kDisconnectAction, before, after));

  // Logged out: a second hang-up does nothing at all, and a dial asks for a user first.
  ASSERT_TRUE(Click(disconnect));
  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));
  ASSERT_TRUE(Click(connect));
  EXPECT_EQ(Utf8(Status()), Utf8(kChooseNameFirst));
  EXPECT_EQ(LogLines().size(), 2u) << Escape(LogBytes().value_or(""));
}

TEST_F(DialTest, HangUpDuringTheDialStopsItsProgressReports) {
  // One second between the stages: the dial is still going on when the hang-up comes.
  constexpr int kStepMs = 1000;
  folder_.Write(L"phonebook.ini", PhoneBook(kStepMs));
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND connect = RequireControl(kConnectButton);
  HWND disconnect = RequireControl(kDisconnectButton);
  ASSERT_NE(connect, nullptr);
  ASSERT_NE(disconnect, nullptr);

  ASSERT_TRUE(Click(connect));
  ASSERT_TRUE(WaitUntil([&] {
    return std::find(kProgress.begin(), kProgress.end(), Status()) != kProgress.end();
  })) << "the dial shows no progress; status: "
      << Utf8(Status());
  ASSERT_TRUE(Click(disconnect));
  EXPECT_EQ(Utf8(Status()), Utf8(kDisconnected));

  // The hung-up connection reports no more stages: the status line keeps its text for more
  // than two of the dial's steps.
  std::wstring later;
  EXPECT_FALSE(WaitUntil(
      [&] {
        later = Status();
        return later != kDisconnected;
      },
      std::chrono::milliseconds(kStepMs * 5 / 2)))
      << "after the hang-up the status line went on to \"" << Utf8(later) << "\"";
  EXPECT_EQ(LogLines().size(), 2u) << Escape(LogBytes().value_or(""));
}

TEST_F(DialTest, RefusedDialShowsTheServiceTextInAnUnownedBoxAndLogsNothing) {
  // The default settings, which hide the window after an accepted dial.
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  ASSERT_NO_FATAL_FAILURE(SelectEntry(2));
  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  // The click's handler doesn't return while the box is up.
  ASSERT_TRUE(PostClick(connect));

  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<HWND> boxes = Boxes();
    box = boxes.size() == 1 ? boxes.front() : nullptr;
    return box != nullptr;
  })) << "no message box; status: "
      << Utf8(Status());
  wchar_t caption[256] = {};
  ::GetWindowTextW(box, caption, 256);
  EXPECT_EQ(Utf8(caption), Utf8(kErrorCaption));
  EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr) << "the box has an owner window";

  std::vector<std::wstring> texts;
  std::vector<HWND> buttons;
  for (HWND child : ChildrenOf(box)) {
    if (!::IsWindowVisible(child)) continue;
    const std::wstring kind = ClassOf(child);
    if (_wcsicmp(kind.c_str(), L"Static") == 0 && !TextOf(child).empty())
      texts.push_back(TextOf(child));
    if (_wcsicmp(kind.c_str(), L"Button") == 0) buttons.push_back(child);
  }
  EXPECT_EQ(Utf8(texts.size() == 1 ? texts.front() : L""), Utf8(kLineBusy))
      << texts.size() << " texts; the box holds:\n"
      << DescribeChildren(box);
  ASSERT_EQ(buttons.size(), 1u) << "the box holds:\n" << DescribeChildren(box);
  EXPECT_EQ(::GetDlgCtrlID(buttons.front()), IDOK);

  ASSERT_TRUE(Click(buttons.front()));
  EXPECT_TRUE(WaitUntil([&] { return Boxes().empty(); })) << "the box is still up";

  // Nothing else came of the dial: no log, no status text, the window in sight, the user still
  // logged in, the entry still chosen.
  ExpectNoLog();
  EXPECT_EQ(Utf8(Status()), Utf8(kLoggedIn));
  EXPECT_TRUE(::IsWindowVisible(window_));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - " + kName));
  EXPECT_EQ(ListMessage(LB_GETCURSEL), 2);
}

TEST_F(DialTest, DialFailingAtAuthenticationEndsOnTheServiceTextAndKeepsTheConnectLine) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  // The spare entry wants a connection password other than the user's.
  ASSERT_NO_FATAL_FAILURE(SelectEntry(1));
  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));
  const SYSTEMTIME after = Now();

  const std::vector<std::wstring> seen = StatusUntil(kAccessDenied);
  EXPECT_EQ(Utf8(seen.back()), Utf8(kAccessDenied));
  EXPECT_TRUE(InOrder(seen, Concat(Concat({kLoggedIn}, kProgress), {kAccessDenied})));
  EXPECT_TRUE(Boxes().empty()) << "a failure reported during the dial shows a message box";

  // The connect line was written when the dial was accepted, and stays.
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));
  EXPECT_EQ(Utf8(Caption()), Utf8(kTitle + L" - " + kName));
}

TEST_F(DialTest, TheDialSendsThePasswordAsTheFieldHoldsItAtTheClick) {
  ASSERT_NO_FATAL_FAILURE(KeepWindowOnConnect());
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  // The user types the password that the spare entry wants over the one from his record.
  HWND password = RequireControl(kPasswordEdit);
  ASSERT_NE(password, nullptr);
  ::SendMessageTimeoutW(password, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, nullptr);
  TypeChars(password, kSparePassword);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(password) == kSparePassword; }))
      << "the password field holds \"" << Utf8(TextOf(password)) << "\"";

  ASSERT_NO_FATAL_FAILURE(SelectEntry(1));
  ASSERT_TRUE(Click(RequireControl(kConnectButton)));
  const std::vector<std::wstring> seen = StatusUntil(kConnected);
  EXPECT_EQ(Utf8(seen.back()), Utf8(kConnected));
  EXPECT_TRUE(InOrder(seen, Concat(Concat({kLoggedIn}, kProgress), {kAuthenticated, kConnected})));
}

TEST_F(DialTest, AnAcceptedDialHidesTheWindowUnderTheDefaultSettings) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_NO_FATAL_FAILURE(LogIn());
  HWND connect = RequireControl(kConnectButton);
  ASSERT_NE(connect, nullptr);
  const SYSTEMTIME before = Now();
  ASSERT_TRUE(Click(connect));
  const SYSTEMTIME after = Now();

  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window_); }))
      << "the main window is still in sight after the dial";
  // The hidden window's status line goes on with the dial.
  EXPECT_EQ(Utf8(StatusUntil(kConnected).back()), Utf8(kConnected));
  const std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 1u) << Escape(LogBytes().value_or(""));
  EXPECT_TRUE(IsLogLine(lines[0], kName, kConnectAction, before, after));
}

}  // namespace
}  // namespace blackbox
