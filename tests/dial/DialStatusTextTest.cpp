// The status-line text of a dial report: the state texts, states without one, and the
// service's error text, which wins over any state.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dial/DialStatusText.h"
#include "platform/RemoteAccess.h"
#include "platform/text/Cp1251.h"

namespace {

using dial::DialStatusText;

// Answers GetErrorString only, with a text or without one, and records what it was asked.
class ErrorTextService : public platform::RemoteAccess {
 public:
  enum class Answer { Text, Nothing };
  Answer answer = Answer::Text;
  std::string text;

  std::vector<std::uint32_t> codes;

  std::uint32_t EnumEntries(std::vector<std::string>&) override {
    ADD_FAILURE() << "EnumEntries called";
    return 1;
  }
  std::uint32_t GetEntryDialParams(platform::RasDialParams&, bool&) override {
    ADD_FAILURE() << "GetEntryDialParams called";
    return 1;
  }
  std::uint32_t Dial(const platform::RasDialParams&, Notifier, std::uintptr_t&) override {
    ADD_FAILURE() << "Dial called";
    return 1;
  }
  std::uint32_t HangUp(std::uintptr_t) override {
    ADD_FAILURE() << "HangUp called";
    return 1;
  }
  std::uint32_t GetConnectStatus(std::uintptr_t, std::uint32_t&, std::uint32_t&) override {
    ADD_FAILURE() << "GetConnectStatus called";
    return 1;
  }
  std::uint32_t GetErrorString(std::uint32_t error, std::string& answered) override {
    codes.push_back(error);
    if (answer == Answer::Nothing) return 87;
    answered = text;
    return 0;
  }
};

struct StateText {
  std::uint32_t state;
  const char* utf8;
};

const StateText kStateTexts[] = {
    {0, "Відкриваю порт."},
    {1, "Порт відкрито."},
    {2, "Приєднується пристрій зв`язку."},
    {3, "Пристрій зв`язку приєднався."},
    {4, "Усі пристрої приєднано."},
    {5, "Починається розпізнавання користувача в мережі."},
    {6, "Authentication: notify"},
    {7, "Authentication: retry"},
    {8, "Authentication: callback"},
    {9, "Authentication: change password"},
    {10, "Authentication: projecting"},
    {11, "Authentication: link speed"},
    {12, "Authentication: acknowledge"},
    {13, "Authentication: reauthenticate"},
    {14, "Користувач розпізнаний."},
    {15, "Preparing for callback"},
    {16, "Waiting for modem reset"},
    {17, "Waiting for callback"},
    {18, "Projected"},
    {19, "Починається розпізнавання користувача в мережі."},
    {20, "Callback complete"},
    {21, "Спроба ввійти в мережу."},
    {0x1000, "Interactive"},
    {0x1001, "Retry Authentication"},
    {0x1002, "Callback set by caller"},
    {0x1003, "Password expired"},
    {0x2000, "Ви ввійшли в мережу."},
    {0x2001, "Ви вийшли з мережі."},
};

TEST(DialStatusTextStates, EveryStateHasItsTextInWindows1251) {
  ErrorTextService service;
  for (const StateText& entry : kStateTexts) {
    SCOPED_TRACE(entry.state);
    EXPECT_EQ(DialStatusText(service, entry.state, 0), text::Cp(entry.utf8));
  }
  EXPECT_TRUE(service.codes.empty()) << "no error, yet the service was asked for a text";
}

TEST(DialStatusTextStates, StatesOutsideTheTableHaveNoText) {
  ErrorTextService service;
  for (std::uint32_t state :
       {22u, 23u, 0x1004u, 0xFFFFFFFFu, 0x80000000u, 24u, 0x0FFFu, 0x2002u, 0x1005u, 0x1FFFu}) {
    SCOPED_TRACE(state);
    EXPECT_EQ(DialStatusText(service, state, 0), "");
  }
}

TEST(DialStatusTextErrors, TheServicesTextWinsOverEveryState) {
  ErrorTextService service;
  service.text = text::Cp("Лінія зайнята.");
  std::vector<std::uint32_t> states = {22, 0x1004, 0xFFFFFFFF};
  for (const StateText& entry : kStateTexts) states.push_back(entry.state);
  for (std::uint32_t state : states) {
    SCOPED_TRACE(state);
    EXPECT_EQ(DialStatusText(service, state, 676), service.text);
  }
  ASSERT_EQ(service.codes.size(), states.size());
  for (std::uint32_t code : service.codes) EXPECT_EQ(code, 676u);
}

TEST(DialStatusTextErrors, ALongTextIsShownWhole) {
  ErrorTextService service;
  service.text = std::string(300, 'A') + text::Cp("кінець.");
  EXPECT_EQ(DialStatusText(service, 5, 678), service.text);
}

TEST(DialStatusTextErrors, WithoutAServiceTextTheCodeIsShownInOurOwnWords) {
  ErrorTextService service;
  service.answer = ErrorTextService::Answer::Nothing;
  EXPECT_EQ(DialStatusText(service, 5, 691), text::Cp("Помилка віддаленого доступу 691."));
  EXPECT_EQ(DialStatusText(service, 0x2000, 4294967295u),
            text::Cp("Помилка віддаленого доступу 4294967295."));
  EXPECT_EQ(dial::ErrorText(service, 633), text::Cp("Помилка віддаленого доступу 633."));
  EXPECT_EQ(service.codes, (std::vector<std::uint32_t>{691, 4294967295u, 633}));
}

}  // namespace
