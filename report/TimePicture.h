#pragma once
// Reads a date or a time of day back from text written in a Windows date or time picture
// ("dd.MM.yyyy", "H:mm:ss", "h:mm:ss tt", text between single quotes kept as it stands).

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace report {

// The fields a picture can carry; those it doesn't carry stay -1.
struct PictureFields {
  int year = -1;
  int month = -1;
  int day = -1;
  int hour = -1;
  int minute = -1;
  int second = -1;
};

// A picture that can't be read back: day or month names, or no letters at all.
class BadPicture : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

class TimePicture {
 public:
  // Picture and designators are Windows-1251 text. Throws BadPicture.
  TimePicture(std::string_view picture, std::string amDesignator = "AM",
              std::string pmDesignator = "PM");

  // The fields of `text`, which must be written in the picture from its first byte to its last.
  // Nothing for text that doesn't fit the picture or names an impossible date or time.
  std::optional<PictureFields> Read(std::string_view text) const;

  // True when every text read gives a year, a month and a day.
  bool ShowsDate() const;
  // True when every text read gives an hour and a minute.
  bool ShowsTimeOfDay() const;

 private:
  enum class Kind { kLiteral, kDay, kMonth, kYear, kHour24, kHour12, kMinute, kSecond, kMarker };
  struct Piece {
    Kind kind;
    int letters = 0;      // how many times the picture letter was repeated
    std::string literal;  // for kLiteral
  };

  bool Shows(Kind kind) const;

  std::vector<Piece> pieces_;
  std::string am_;
  std::string pm_;
};

}  // namespace report
