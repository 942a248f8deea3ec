#include "dial/DialStatusText.h"

#include <array>
#include <utility>

#include "platform/text/Cp1251.h"

namespace dial {
namespace {

struct StateText {
  std::uint32_t state;
  const char* utf8;
};

constexpr std::array<StateText, 28> kStateTexts = {{
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
}};

}  // namespace

std::string ErrorText(platform::RemoteAccess& service, std::uint32_t error) {
  std::string message;
  if (service.GetErrorString(error, message) != 0 || message.empty())
    message = text::Cp("Помилка віддаленого доступу ") + std::to_string(error) + ".";
  return message;
}

std::string DialStatusText(platform::RemoteAccess& service, std::uint32_t state,
                           std::uint32_t error) {
  if (error != 0) return ErrorText(service, error);
  for (const StateText& entry : kStateTexts)
    if (entry.state == state) return text::Cp(entry.utf8);
  return {};
}

}  // namespace dial
