#pragma once
// The remote-access service: its five calls, with the records in the byte forms that the
// 32-bit Windows service takes (RASENTRYNAME of 264 bytes, RASDIALPARAMS of 1052 bytes).

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A fixed-size, zero-filled image of a service record with its 32-bit size in front.
template <std::size_t Size>
class RasRecord {
 public:
  static constexpr std::size_t kSize = Size;

  std::uint8_t* Data() { return bytes_.data(); }
  const std::uint8_t* Data() const { return bytes_.data(); }

  void Clear() { bytes_.fill(0); }
  void SetSize(std::uint32_t size) { PutUint32(0, size); }
  std::uint32_t GetSize() const { return GetUint32(0); }

  // A zero-terminated text field of `capacity` bytes; longer text is cut so that the
  // terminating zero still fits inside the field.
  void PutText(std::size_t offset, std::size_t capacity, std::string_view text) {
    const std::size_t length = std::min(text.size(), capacity - 1);
    for (std::size_t i = 0; i < length; ++i)
      bytes_[offset + i] = static_cast<std::uint8_t>(text[i]);
    for (std::size_t i = length; i < capacity; ++i) bytes_[offset + i] = 0;
  }
  // The text up to the field's first zero byte, never past the field.
  std::string GetText(std::size_t offset, std::size_t capacity) const {
    std::string text;
    for (std::size_t i = 0; i < capacity && bytes_[offset + i] != 0; ++i)
      text += static_cast<char>(bytes_[offset + i]);
    return text;
  }

  void PutUint32(std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  std::uint32_t GetUint32(std::size_t offset) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | bytes_[offset + i];
    return value;
  }

 private:
  std::array<std::uint8_t, Size> bytes_{};
};

// RASDIALPARAMS in its 1052-byte form.
class RasDialParams : public RasRecord<1052> {
 public:
  static constexpr std::size_t kEntryName = 4, kEntryNameSize = 257;
  static constexpr std::size_t kPhoneNumber = 261, kPhoneNumberSize = 129;
  static constexpr std::size_t kCallbackNumber = 390, kCallbackNumberSize = 129;
  static constexpr std::size_t kUserName = 519, kUserNameSize = 257;
  static constexpr std::size_t kPassword = 776, kPasswordSize = 257;
  static constexpr std::size_t kDomain = 1033, kDomainSize = 16;

  void SetEntryName(std::string_view v) { PutText(kEntryName, kEntryNameSize, v); }
  void SetPhoneNumber(std::string_view v) { PutText(kPhoneNumber, kPhoneNumberSize, v); }
  void SetUserName(std::string_view v) { PutText(kUserName, kUserNameSize, v); }
  void SetPassword(std::string_view v) { PutText(kPassword, kPasswordSize, v); }
  void SetCallbackNumber(std::string_view v) { PutText(kCallbackNumber, kCallbackNumberSize, v); }
  void SetDomain(std::string_view v) { PutText(kDomain, kDomainSize, v); }
  std::string EntryName() const { return GetText(kEntryName, kEntryNameSize); }
  std::string PhoneNumber() const { return GetText(kPhoneNumber, kPhoneNumberSize); }
  std::string UserName() const { return GetText(kUserName, kUserNameSize); }
  std::string Password() const { return GetText(kPassword, kPasswordSize); }
  std::string CallbackNumber() const { return GetText(kCallbackNumber, kCallbackNumberSize); }
  std::string Domain() const { return GetText(kDomain, kDomainSize); }
};

// The enumeration buffer: 100 RASENTRYNAME records of 264 bytes, one after another.
class RasEntryNames : public RasRecord<26400> {
 public:
  static constexpr std::size_t kRecordSize = 264;
  static constexpr std::size_t kCapacity = 100;
  static constexpr std::size_t kNameSize = 257;

  std::string Name(std::size_t index) const { return GetText(index * kRecordSize + 4, kNameSize); }
  void SetName(std::size_t index, std::string_view name) {
    PutText(index * kRecordSize + 4, kNameSize, name);
  }
};

// Error codes the program itself looks at.
inline constexpr std::uint32_t kRasBufferTooSmall = 603;
inline constexpr std::uint32_t kRasCannotFindPhonebookEntry = 623;
inline constexpr std::uint32_t kRasInvalidSize = 632;
inline constexpr std::uint32_t kRasAuthenticationFailure = 691;

class RemoteAccess {
 public:
  // The notifier of type 0 (RasDialFunc): event message, dial state, error code. It may be
  // called on a thread of the service's own; it carries no context.
  using Notifier = void (*)(std::uint32_t message, std::uint32_t state, std::uint32_t error);

  virtual ~RemoteAccess() = default;

  // The default phone book's entries; on 0 the first `entryCount` records hold their names.
  virtual std::uint32_t EnumEntries(RasEntryNames& buffer, std::uint32_t& byteCount,
                                    std::uint32_t& entryCount) = 0;
  // On 0 the record holds the entry's stored dial parameters.
  virtual std::uint32_t GetEntryDialParams(RasDialParams& params, bool& passwordStored) = 0;
  // Returns at once; on 0 the dial has started and `handle` holds the new connection.
  virtual std::uint32_t Dial(const RasDialParams& params, Notifier notifier,
                             std::uintptr_t& handle) = 0;
  virtual std::uint32_t HangUp(std::uintptr_t handle) = 0;
  // Writes a zero-terminated text of at most `size` bytes into `buffer`.
  virtual std::uint32_t GetErrorString(std::uint32_t error, char* buffer, std::uint32_t size) = 0;
};

}  // namespace platform
