#include "report/TimePicture.h"

#include <utility>

namespace report {
namespace {

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads between `least` and `most` digits at `at`, as many as there are; -1 when fewer.
int ReadNumber(std::string_view text, std::size_t& at, int least, int most) {
  int value = 0;
  int digits = 0;
  while (digits < most && at < text.size() && text[at] >= '0' && text[at] <= '9') {
    value = value * 10 + (text[at] - '0');
    ++at;
    ++digits;
  }
  return digits >= least ? value : -1;
}

bool ReadText(std::string_view text, std::size_t& at, std::string_view expected) {
  if (text.substr(at, expected.size()) != expected) return false;
  at += expected.size();
  return true;
}

// Windows writes two-digit years in the window 1930..2029.
int FullYear(int twoDigits) {
  return twoDigits < 30 ? 2000 + twoDigits : 1900 + twoDigits;
}

bool Plausible(const PictureFields& f) {
  if (f.month != -1 && (f.month < 1 || f.month > 12)) return false;
  if (f.day != -1) {
    const int last = f.month == -1 ? 31 : DaysInMonth(f.year == -1 ? 2000 : f.year, f.month);
    if (f.day < 1 || f.day > last) return false;
  }
  return f.hour <= 23 && f.minute <= 59 && f.second <= 59;
}

}  // namespace

TimePicture::TimePicture(std::string_view picture, std::string amDesignator,
                         std::string pmDesignator)
    : am_(std::move(amDesignator)), pm_(std::move(pmDesignator)) {
  const auto appendLiteral = [this](char c) {
    if (pieces_.empty() || pieces_.back().kind != Kind::kLiteral)
      pieces_.push_back(Piece{Kind::kLiteral, 0, {}});
    pieces_.back().literal += c;
  };
  bool anyLetter = false;
  std::size_t i = 0;
  while (i < picture.size()) {
    const char c = picture[i];
    if (c == '\'') {
      // Quoted text stands as it is; two quotes in a row stand for one quote.
      ++i;
      if (i < picture.size() && picture[i] == '\'') {
        appendLiteral('\'');
        ++i;
        continue;
      }
      while (i < picture.size()) {
        if (picture[i] != '\'') {
          appendLiteral(picture[i++]);
        } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
          appendLiteral('\'');
          i += 2;
        } else {
          ++i;
          break;
        }
      }
      continue;
    }
    Kind kind;
    switch (c) {
      case 'd':
        kind = Kind::kDay;
        break;
      case 'M':
        kind = Kind::kMonth;
        break;
      case 'y':
        kind = Kind::kYear;
        break;
      case 'H':
        kind = Kind::kHour24;
        break;
      case 'h':
        kind = Kind::kHour12;
        break;
      case 'm':
        kind = Kind::kMinute;
        break;
      case 's':
        kind = Kind::kSecond;
        break;
      case 't':
        kind = Kind::kMarker;
        break;
      default:
        appendLiteral(c);
        ++i;
        continue;
    }
    int letters = 1;
    while (i + letters < picture.size() && picture[i + letters] == c) ++letters;
    i += letters;
    if ((kind == Kind::kDay || kind == Kind::kMonth) && letters > 2)
      throw BadPicture("day and month names can't be read back: " + std::string(picture));
    pieces_.push_back(Piece{kind, letters, {}});
    anyLetter = true;
  }
  if (!anyLetter) throw BadPicture("the picture shows no date or time: " + std::string(picture));
}

std::optional<PictureFields> TimePicture::Read(std::string_view text) const {
  PictureFields f;
  std::optional<bool> afternoon;
  bool twelveHours = false;
  std::size_t at = 0;
  for (const Piece& piece : pieces_) {
    const int least = piece.letters >= 2 ? 2 : 1;
    switch (piece.kind) {
      case Kind::kLiteral:
        if (!ReadText(text, at, piece.literal)) return std::nullopt;
        continue;
      case Kind::kMarker: {
        const std::string_view am =
            piece.letters >= 2 ? std::string_view(am_) : std::string_view(am_).substr(0, 1);
        const std::string_view pm =
            piece.letters >= 2 ? std::string_view(pm_) : std::string_view(pm_).substr(0, 1);
        // The longer designator first, in case one begins with the other.
        const bool pmFirst = pm.size() > am.size();
        if (ReadText(text, at, pmFirst ? pm : am))
          afternoon = pmFirst;
        else if (ReadText(text, at, pmFirst ? am : pm))
          afternoon = !pmFirst;
        else
          return std::nullopt;
        continue;
      }
      case Kind::kYear: {
        const int digits = piece.letters >= 3 ? 4 : 2;
        const int year = ReadNumber(text, at, digits, digits);
        if (year < 0) return std::nullopt;
        f.year = digits == 4 ? year : FullYear(year);
        continue;
      }
      default:
        break;
    }
    const int value = ReadNumber(text, at, least, 2);
    if (value < 0) return std::nullopt;
    switch (piece.kind) {
      case Kind::kDay:
        f.day = value;
        break;
      case Kind::kMonth:
        f.month = value;
        break;
      case Kind::kHour24:
        f.hour = value;
        break;
      case Kind::kHour12:
        if (value < 1 || value > 12) return std::nullopt;
        f.hour = value % 12;
        twelveHours = true;
        break;
      case Kind::kMinute:
        f.minute = value;
        break;
      case Kind::kSecond:
        f.second = value;
        break;
      default:
        break;
    }
  }
  if (at != text.size()) return std::nullopt;
  if (twelveHours && afternoon.value_or(false)) f.hour += 12;
  if (!Plausible(f)) return std::nullopt;
  return f;
}

bool TimePicture::Shows(Kind kind) const {
  for (const Piece& piece : pieces_)
    if (piece.kind == kind) return true;
  return false;
}

bool TimePicture::ShowsDate() const {
  return Shows(Kind::kYear) && Shows(Kind::kMonth) && Shows(Kind::kDay);
}

bool TimePicture::ShowsTimeOfDay() const {
  return (Shows(Kind::kHour24) || Shows(Kind::kHour12)) && Shows(Kind::kMinute);
}

}  // namespace report
