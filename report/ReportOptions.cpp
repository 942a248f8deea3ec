#include "report/ReportOptions.h"

#include <string_view>

#include "platform/text/Cp1251.h"

namespace report {
namespace {

using text::Cp;

bool IsDigits(std::string_view text) {
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

void ReadMonth(const std::string& text, ReportOptions& options) {
  const std::string_view view(text);
  if (view.size() != 7 || view[4] != '-' || !IsDigits(view.substr(0, 4)) ||
      !IsDigits(view.substr(5, 2)))
    throw OptionError(Cp("Місяць пишеться як РРРР-ММ, наприклад 2026-12: ") + text);
  const int month = std::stoi(text.substr(5, 2));
  if (month < 1 || month > 12) throw OptionError(Cp("Немає такого місяця: ") + text);
  options.year = std::stoi(text.substr(0, 4));
  options.month = month;
}

}  // namespace

ReportOptions ParseOptions(const std::vector<std::string>& arguments) {
  ReportOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // "--name value" and "--name=value" both work.
    std::string name = argument;
    std::optional<std::string> value;
    if (argument.rfind("--", 0) == 0) {
      if (const std::size_t equals = argument.find('='); equals != std::string::npos) {
        name = argument.substr(0, equals);
        value = argument.substr(equals + 1);
      }
    }
    const auto takeValue = [&]() -> std::string {
      if (value) return *value;
      if (i + 1 >= arguments.size()) throw OptionError(name + Cp(" потребує значення."));
      return arguments[++i];
    };
    const auto noValue = [&] {
      if (value) throw OptionError(name + Cp(" не має значення."));
    };
    if (name == "--month") {
      ReadMonth(takeValue(), options);
    } else if (name == "--csv") {
      noValue();
      options.csv = true;
    } else if (name == "--date-format") {
      options.datePicture = takeValue();
    } else if (name == "--time-format") {
      options.timePicture = takeValue();
    } else if (name == "--help" || name == "-h" || name == "/?") {
      noValue();
      options.help = true;
    } else if (name.size() > 1 && name[0] == '-') {
      throw OptionError(Cp("Невідомий параметр: ") + argument);
    } else if (options.logName) {
      throw OptionError(Cp("Зайвий файл журналу: ") + argument);
    } else {
      options.logName = argument;
    }
  }
  return options;
}

std::string UsageText() {
  return Cp(
      "Використання: brumelka-report [ЖУРНАЛ] [--month РРРР-ММ] [--csv]\n"
      "                               [--date-format ШАБЛОН] [--time-format ШАБЛОН]\n"
      "Час на лінії кожного користувача за місяцями, з журналу з`єднань (без ЖУРНАЛУ -\n"
      "той, що названо в brumelka.ini). --csv дає таблицю для електронних таблиць;\n"
      "шаблони дати й часу - як у регіональних налаштуваннях Windows (dd.MM.yyyy, H:mm:ss).\n");
}

}  // namespace report
