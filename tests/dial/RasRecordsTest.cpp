// The byte form of the dial record (RASDIALPARAMS of 1052 bytes) and the dial fields written
// into it.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dial/PhoneBook.h"
#include "platform/RemoteAccess.h"
#include "platform/text/Cp1251.h"

namespace {

using platform::RasDialParams;

constexpr std::uint8_t kUntouched = 0xEE;

struct Field {
  const char* name;
  void (RasDialParams::*set)(std::string_view);
  std::string (RasDialParams::*get)() const;
  std::size_t offset;
  std::size_t size;
};

// The documented layout, written out here rather than taken from the class.
const Field kFields[] = {
    {"entry name", &RasDialParams::SetEntryName, &RasDialParams::EntryName, 4, 257},
    {"phone number", &RasDialParams::SetPhoneNumber, &RasDialParams::PhoneNumber, 261, 129},
    {"callback number", &RasDialParams::SetCallbackNumber, &RasDialParams::CallbackNumber, 390,
     129},
    {"user name", &RasDialParams::SetUserName, &RasDialParams::UserName, 519, 257},
    {"password", &RasDialParams::SetPassword, &RasDialParams::Password, 776, 257},
    {"domain", &RasDialParams::SetDomain, &RasDialParams::Domain, 1033, 16},
};

std::string Letters(std::size_t length, char first) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += static_cast<char>(first + i % 26);
  return text;
}

std::vector<std::uint8_t> Bytes(const std::uint8_t* data, std::size_t count) {
  return std::vector<std::uint8_t>(data, data + count);
}

// --- RASDIALPARAMS ---

TEST(RasDialParamsLayout, Is1052BytesWithALittleEndianSizeInFront) {
  EXPECT_EQ(RasDialParams::kSize, 1052u);
  EXPECT_EQ(sizeof(RasDialParams), 1052u);

  RasDialParams params;
  params.SetSize(1052);
  EXPECT_EQ(Bytes(params.Data(), 4), (std::vector<std::uint8_t>{0x1C, 0x04, 0x00, 0x00}));
  params.SetSize(0x0A0B0C0D);
  EXPECT_EQ(Bytes(params.Data(), 4), (std::vector<std::uint8_t>{0x0D, 0x0C, 0x0B, 0x0A}));
  EXPECT_EQ(params.GetSize(), 0x0A0B0C0Du);
  EXPECT_EQ(params.Data()[4], 0) << "the size spilled into the entry name";
}

TEST(RasDialParamsLayout, StartsZeroFilled) {
  RasDialParams params;
  EXPECT_EQ(Bytes(params.Data(), RasDialParams::kSize),
            std::vector<std::uint8_t>(RasDialParams::kSize, 0));
}

TEST(RasDialParamsLayout, EachFieldSitsAtItsOffsetAndTouchesNothingElse) {
  for (const Field& field : kFields) {
    // The longest text that fits, then a 300-byte text that has to be cut.
    for (std::size_t length : {field.size - 1, std::size_t{300}}) {
      SCOPED_TRACE(std::string(field.name) + ", " + std::to_string(length) + " bytes");
      RasDialParams params;
      std::memset(params.Data(), kUntouched, RasDialParams::kSize);
      const std::string text = Letters(length, 'a');
      (params.*field.set)(text);

      const std::size_t kept = field.size - 1;
      for (std::size_t i = 0; i < RasDialParams::kSize; ++i) {
        if (i >= field.offset && i < field.offset + kept) {
          ASSERT_EQ(params.Data()[i], static_cast<std::uint8_t>(text[i - field.offset]))
              << "byte " << i;
        } else if (i == field.offset + kept) {
          ASSERT_EQ(params.Data()[i], 0) << "no terminating zero at byte " << i;
        } else if (i < field.offset || i >= field.offset + field.size) {
          ASSERT_EQ(params.Data()[i], kUntouched) << "byte " << i << " outside the field";
        }
      }
      EXPECT_EQ((params.*field.get)(), text.substr(0, kept));
    }
  }
}

TEST(RasDialParamsLayout, ACutTextLeavesTheNextFieldAlone) {
  RasDialParams params;
  params.SetCallbackNumber("555-01");
  params.SetPassword(text::Cp("таємниця"));
  params.SetDomain("DOMAIN");
  params.SetPhoneNumber(std::string(300, '7'));
  params.SetUserName(std::string(300, 'u'));
  EXPECT_EQ(params.PhoneNumber(), std::string(128, '7'));
  EXPECT_EQ(params.UserName(), std::string(256, 'u'));
  EXPECT_EQ(params.CallbackNumber(), "555-01");
  EXPECT_EQ(params.Password(), text::Cp("таємниця"));
  params.SetPassword(std::string(300, 'p'));
  EXPECT_EQ(params.Password(), std::string(256, 'p'));
  EXPECT_EQ(params.Domain(), "DOMAIN");
}

TEST(RasDialParamsLayout, ReadingAFieldWithoutAZeroStopsAtItsEnd) {
  // As a service might leave them: every byte of the record non-zero.
  RasDialParams params;
  std::memset(params.Data(), 'z', RasDialParams::kSize);
  for (const Field& field : kFields) {
    SCOPED_TRACE(field.name);
    EXPECT_EQ((params.*field.get)(), std::string(field.size, 'z'));
  }
}

TEST(RasDialParamsLayout, AShorterTextReplacesALongerOne) {
  RasDialParams params;
  params.SetPhoneNumber("0-800-300-500");
  params.SetPhoneNumber("12");
  EXPECT_EQ(params.PhoneNumber(), "12");
  params.SetPhoneNumber("");
  EXPECT_EQ(params.PhoneNumber(), "");
}

// --- RASENTRYNAME records ---

// --- the dial fields ---

TEST(DialFields, WritesSizePasswordUserAndPhoneOverWhatTheServiceLeft) {
  RasDialParams params;
  params.SetEntryName(text::Cp("Київстар"));
  // As the service leaves the record after reading an entry's stored parameters.
  params.SetSize(0);
  params.SetPhoneNumber("0-800-300-500-999");
  params.SetUserName("stored-login");
  params.SetPassword("stored-password");
  params.SetCallbackNumber("555-01");
  params.SetDomain("DOMAIN");

  dial::WriteDialFields(params, text::Cp("таємниця"), text::Cp("петро"), "12");
  EXPECT_EQ(Bytes(params.Data(), 4), (std::vector<std::uint8_t>{0x1C, 0x04, 0x00, 0x00}));
  EXPECT_EQ(params.Password(), text::Cp("таємниця"));
  EXPECT_EQ(params.UserName(), text::Cp("петро"));
  EXPECT_EQ(params.PhoneNumber(), "12");
  EXPECT_EQ(params.EntryName(), text::Cp("Київстар"));
  EXPECT_EQ(params.CallbackNumber(), "555-01");
  EXPECT_EQ(params.Domain(), "DOMAIN");
}

TEST(DialFields, EmptyFieldsGoOutEmpty) {
  RasDialParams params;
  params.SetPhoneNumber("stored-phone");
  params.SetUserName("stored-login");
  params.SetPassword("stored-password");
  dial::WriteDialFields(params, "", "", "");
  EXPECT_EQ(params.Password(), "");
  EXPECT_EQ(params.UserName(), "");
  EXPECT_EQ(params.PhoneNumber(), "");
  EXPECT_EQ(params.GetSize(), 1052u);
}

TEST(DialFields, OverlongFieldsAreCutInsideTheRecord) {
  RasDialParams params;
  params.SetEntryName("Home");
  params.SetCallbackNumber("555-01");
  params.SetDomain("DOMAIN");
  dial::WriteDialFields(params, std::string(400, 'p'), std::string(400, 'u'),
                        std::string(400, '7'));
  EXPECT_EQ(params.Password(), std::string(256, 'p'));
  EXPECT_EQ(params.UserName(), std::string(256, 'u'));
  EXPECT_EQ(params.PhoneNumber(), std::string(128, '7'));
  EXPECT_EQ(params.EntryName(), "Home");
  EXPECT_EQ(params.CallbackNumber(), "555-01");
  EXPECT_EQ(params.Domain(), "DOMAIN");
  EXPECT_EQ(params.Data()[1049], 0);
  EXPECT_EQ(params.Data()[1051], 0);
}

}  // namespace
