#include "platform/native/FormatClock.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace platform {
namespace {

bool IsPictureLetter(char c) {
  return c == 'd' || c == 'M' || c == 'y' || c == 'H' || c == 'h' || c == 'm' || c == 's' ||
         c == 't';
}

std::string Number(int value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", digits, value);
  return buffer;
}

// Day and month names (ddd, MMMM) would need the user's language; nothing here uses them.
void RejectNames(const std::string& picture) {
  bool quoted = false;
  std::size_t run = 0;
  for (std::size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (c == '\'') quoted = !quoted;
    run = !quoted && (c == 'd' || c == 'M') && i > 0 && picture[i - 1] == c ? run + 1 : 1;
    if (!quoted && (c == 'd' || c == 'M') && run > 2)
      throw std::invalid_argument("day and month names are not supported: " + picture);
  }
}

// Copies the text quoted at `start` and returns the index past the closing quote. Two quotes
// in a row stand for one quote, inside quoted text as well as outside.
std::size_t AppendQuoted(const std::string& picture, std::size_t start, std::string& out) {
  std::size_t i = start + 1;
  if (i < picture.size() && picture[i] == '\'') {
    out += '\'';
    return i + 1;
  }
  while (i < picture.size()) {
    if (picture[i] != '\'') {
      out += picture[i++];
    } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
      out += '\'';
      i += 2;
    } else {
      return i + 1;
    }
  }
  return i;
}

}  // namespace

FormatClock::FormatClock(std::string datePicture, std::string timePicture, std::string amDesignator,
                         std::string pmDesignator)
    : datePicture_(std::move(datePicture)),
      timePicture_(std::move(timePicture)),
      am_(std::move(amDesignator)),
      pm_(std::move(pmDesignator)) {
  RejectNames(datePicture_);
  RejectNames(timePicture_);
}

std::string FormatClock::ShortDate(const LocalTime& time) {
  return Format(datePicture_, time);
}

std::string FormatClock::LongTime(const LocalTime& time) {
  return Format(timePicture_, time);
}

std::string FormatClock::Format(const std::string& picture, const LocalTime& time) const {
  std::string out;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {
      i = AppendQuoted(picture, i, out);
      continue;
    }
    if (!IsPictureLetter(c)) {
      out += c;
      ++i;
      continue;
    }
    std::size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c) ++run;
    i += run;
    const int width = run >= 2 ? 2 : 1;
    const bool pm = time.hour >= 12;
    switch (c) {
      case 'd':
        out += Number(time.day, width);
        break;
      case 'M':
        out += Number(time.month, width);
        break;
      case 'y':
        // A lone y gives two digits too: that is what GetDateFormat gave when checked under Wine.
        out += run >= 3 ? Number(time.year, 4) : Number(time.year % 100, 2);
        break;
      case 'H':
        out += Number(time.hour, width);
        break;
      case 'h':
        out += Number(time.hour % 12 == 0 ? 12 : time.hour % 12, width);
        break;
      case 'm':
        out += Number(time.minute, width);
        break;
      case 's':
        out += Number(time.second, width);
        break;
      case 't': {
        const std::string& designator = pm ? pm_ : am_;
        out += run >= 2 ? designator : designator.substr(0, 1);
        break;
      }
    }
  }
  return out;
}

}  // namespace platform
