#pragma once
// One user as the 94-byte image that is both the table slot and the record of the users file.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace data {

// A length byte followed by a text area of exactly Capacity bytes, no terminator. Bytes past
// the length are kept as they are: the image is written back unchanged.
template <std::size_t Capacity>
class ShortString {
 public:
  static constexpr std::size_t kCapacity = Capacity;

  // A length byte from a damaged file may exceed the capacity; never read past the field.
  std::size_t Length() const { return std::min<std::size_t>(length_, Capacity); }
  std::string Value() const { return std::string(text_, Length()); }
  // Longer values keep their first Capacity bytes, without notice.
  void Assign(std::string_view value) {
    const std::size_t length = std::min(value.size(), Capacity);
    std::copy_n(value.data(), length, text_);
    length_ = static_cast<unsigned char>(length);
  }
  void Clear() { length_ = 0; }

 private:
  unsigned char length_ = 0;
  char text_[Capacity] = {};
};

struct UserRecord {
  ShortString<9> Phone;
  ShortString<20> Login;
  ShortString<20> Name;
  ShortString<20> Password;  // of the network connection
  ShortString<20> Pass;      // the user's own password, checked at log-in

  void Clear() {
    Phone.Clear();
    Login.Clear();
    Name.Clear();
    Password.Clear();
    Pass.Clear();
  }
};

inline constexpr std::size_t kUserRecordSize = 94;
static_assert(sizeof(UserRecord) == kUserRecordSize, "the file format fixes the record layout");
static_assert(alignof(UserRecord) == 1, "no padding may enter the record");
static_assert(std::is_trivially_copyable_v<UserRecord>, "records are copied as raw bytes");
static_assert(offsetof(UserRecord, Login) == 10 && offsetof(UserRecord, Name) == 31 &&
                  offsetof(UserRecord, Password) == 52 && offsetof(UserRecord, Pass) == 73,
              "field offsets of the users file");

}  // namespace data
