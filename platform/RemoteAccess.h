#pragma once
// The remote-access service as the program uses it. Texts are Windows-1251; the dial record
// keeps the byte form of the 32-bit service's RASDIALPARAMS of 1052 bytes.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Error codes and dial states the program itself looks at.
inline constexpr std::uint32_t kRasInvalidHandle = 6;
inline constexpr std::uint32_t kRasConnected = 0x2000;
inline constexpr std::uint32_t kRasDisconnected = 0x2001;

class RemoteAccess {
 public:
  // A dial's progress: the connection it belongs to, the dial state and an error code. Called
  // on a thread of the service's own, possibly before Dial has returned.
  using Notifier = void (*)(std::uintptr_t connection, std::uint32_t state, std::uint32_t error);

  virtual ~RemoteAccess() = default;

  // Every entry name of the default phone book, in the service's order.
  virtual std::uint32_t EnumEntries(std::vector<std::string>& names) = 0;
  // On 0 the record holds the entry's stored dial parameters.
  virtual std::uint32_t GetEntryDialParams(RasDialParams& params, bool& passwordStored) = 0;
  // `handle` must be 0. Returns at once; on 0 the dial has started. The service may store a
  // handle also when it refuses: that connection holds the port until it is hung up.
  virtual std::uint32_t Dial(const RasDialParams& params, Notifier notifier,
                             std::uintptr_t& handle) = 0;
  // Returns at once; the service lets the connection go some time later.
  virtual std::uint32_t HangUp(std::uintptr_t handle) = 0;
  // 0 with the connection's state and error while the service knows it; kRasInvalidHandle
  // once it has let it go.
  virtual std::uint32_t GetConnectStatus(std::uintptr_t handle, std::uint32_t& state,
                                         std::uint32_t& error) = 0;
  // The service's whole text for an error code.
  virtual std::uint32_t GetErrorString(std::uint32_t error, std::string& text) = 0;
};

}  // namespace platform
