#include "report/LogLine.h"

#include <string>
#include <utility>

#include "platform/text/Cp1251.h"

namespace report {
namespace {

const std::string kSeparator = text::Cp(" о такій годині: ");

struct ActionText {
  Action action;
  std::string framed;  // " ACTION "
};

const ActionText kActions[] = {
    {Action::kConnected, text::Cp(" з`єднався ")},
    {Action::kDisconnected, text::Cp(" розз`єднався ")},
    {Action::kStillOnline, text::Cp(" працював ")},
    {Action::kPoweredOff, text::Cp(" вимкнув ПК ")},
};

// Days from 1 January 1970 to the given day of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const int y = month <= 2 ? year - 1 : year;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yearOfEra = y - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

void CivilFromDays(std::int64_t days, int& year, int& month) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int dayOfEra = static_cast<int>(days - era * 146097);
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int shiftedMonth = (5 * dayOfYear + 2) / 153;
  month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  year = static_cast<int>(yearOfEra + era * 400) + (month <= 2 ? 1 : 0);
}

constexpr std::int64_t kSecondsPerDay = 86400;

// The separator's last ": " before the time; searched for by its colon, which is rare in a
// line, rather than by comparing the whole separator at every place.
std::size_t FindSeparator(std::string_view line) {
  const std::size_t colonInSeparator = kSeparator.size() - 2;
  for (std::size_t colon = line.rfind(':'); colon != std::string_view::npos && colon > 0;
       colon = line.rfind(':', colon - 1)) {
    if (colon < colonInSeparator) break;
    const std::size_t start = colon - colonInSeparator;
    if (line.compare(start, kSeparator.size(), kSeparator) == 0) return start;
  }
  return std::string_view::npos;
}

}  // namespace

LocalSeconds ToLocalSeconds(int year, int month, int day, int hour, int minute, int second) {
  return DaysFromCivil(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

void MonthOf(LocalSeconds moment, int& year, int& month) {
  const std::int64_t days =
      moment >= 0 ? moment / kSecondsPerDay : (moment - kSecondsPerDay + 1) / kSecondsPerDay;
  CivilFromDays(days, year, month);
}

LocalSeconds StartOfNextMonth(LocalSeconds moment) {
  int year = 0;
  int month = 0;
  MonthOf(moment, year, month);
  return month == 12 ? ToLocalSeconds(year + 1, 1, 1, 0, 0, 0)
                     : ToLocalSeconds(year, month + 1, 1, 0, 0, 0);
}

LogLineReader::LogLineReader(TimePicture date, TimePicture time)
    : date_(std::move(date)), time_(std::move(time)) {
  if (!date_.ShowsDate()) throw BadPicture("the date picture needs a day, a month and a year");
  if (!time_.ShowsTimeOfDay()) throw BadPicture("the time picture needs hours and minutes");
}

std::optional<LogEvent> LogLineReader::Read(std::string_view line) const {
  const std::size_t separator = FindSeparator(line);
  if (separator == std::string_view::npos) return std::nullopt;
  const std::string_view head = line.substr(0, separator);
  const std::string_view time = line.substr(separator + kSeparator.size());
  // A user name could hold an action's words, so every space is tried as the action's start,
  // from the left; the first whose rest reads as a date wins.
  for (std::size_t at = head.find(' '); at != std::string_view::npos; at = head.find(' ', at + 1)) {
    if (at + 1 >= head.size()) break;
    for (const ActionText& action : kActions) {
      if (head[at + 1] != action.framed[1] ||
          head.compare(at, action.framed.size(), action.framed) != 0)
        continue;
      const std::string_view date = head.substr(at + action.framed.size());
      if (const std::optional<LocalSeconds> when = Moment(date, time))
        return LogEvent{head.substr(0, at), action.action, *when};
    }
  }
  return std::nullopt;
}

std::optional<LocalSeconds> LogLineReader::Moment(std::string_view date,
                                                  std::string_view time) const {
  const std::optional<PictureFields> day = date_.Read(date);
  if (!day) return std::nullopt;
  const std::optional<PictureFields> clock = time_.Read(time);
  if (!clock) return std::nullopt;
  return ToLocalSeconds(day->year, day->month, day->day, clock->hour, clock->minute,
                        clock->second == -1 ? 0 : clock->second);
}

}  // namespace report
