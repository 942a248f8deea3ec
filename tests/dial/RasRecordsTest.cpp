// The byte forms of the service's records (RASDIALPARAMS of 1052 bytes, 100 RASENTRYNAME
// records of 264 bytes), the phone-book listing and the dial fields written into a record.

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
using platform::RasEntryNames;

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

TEST(RasEntryNamesLayout, HundredRecordsOf264BytesWithTheNameAfterTheSize) {
  EXPECT_EQ(RasEntryNames::kSize, 26400u);
  EXPECT_EQ(sizeof(RasEntryNames), 26400u);

  RasEntryNames names;
  std::memset(names.Data(), kUntouched, RasEntryNames::kSize);
  names.SetSize(264);
  EXPECT_EQ(Bytes(names.Data(), 4), (std::vector<std::uint8_t>{0x08, 0x01, 0x00, 0x00}));
  for (std::size_t index : {std::size_t{0}, std::size_t{1}, std::size_t{99}}) {
    SCOPED_TRACE(index);
    const std::string name = Letters(256, static_cast<char>('A' + index % 20));
    names.SetName(index, name);
    const std::size_t at = index * 264 + 4;
    EXPECT_EQ(std::memcmp(names.Data() + at, name.data(), name.size()), 0);
    EXPECT_EQ(names.Data()[at + 256], 0);
    EXPECT_EQ(names.Data()[at - 1], index == 0 ? 0x00 : kUntouched);  // size of record 0 is 264
    if (at + 257 < RasEntryNames::kSize) {
      EXPECT_EQ(names.Data()[at + 257], kUntouched);
    }
    EXPECT_EQ(names.Name(index), name);
  }
}

// --- the phone-book listing ---

// A service that lists the names it is given, claims `claimedCount` entries and answers
// `result`; it notes the buffer as the caller handed it over.
class ListingService : public platform::RemoteAccess {
 public:
  std::vector<std::string> names;
  std::uint32_t claimedCount = 0;
  std::uint32_t result = 0;
  // Raw bytes for a name that fills its whole field, written at record `rawIndex`.
  int rawIndex = -1;

  int calls = 0;
  std::uint32_t firstRecordSize = 0;
  std::uint32_t secondRecordSize = 0;
  std::uint32_t lastRecordSize = 0;
  std::uint32_t byteCountIn = 0;

  std::uint32_t EnumEntries(RasEntryNames& buffer, std::uint32_t& byteCount,
                            std::uint32_t& entryCount) override {
    ++calls;
    firstRecordSize = buffer.GetUint32(0);
    secondRecordSize = buffer.GetUint32(264);
    lastRecordSize = buffer.GetUint32(99 * 264);
    byteCountIn = byteCount;
    for (std::size_t i = 0; i < names.size(); ++i) {
      buffer.PutUint32(i * 264, 264);
      buffer.SetName(i, names[i]);
    }
    if (rawIndex >= 0) {
      // The whole name field and the padding after it without a zero.
      std::memset(buffer.Data() + rawIndex * 264 + 4, 'N', 257);
      std::memset(buffer.Data() + rawIndex * 264 + 261, 'P', 3);
    }
    entryCount = claimedCount;
    return result;
  }
  std::uint32_t GetEntryDialParams(RasDialParams&, bool&) override { return 1; }
  std::uint32_t Dial(const RasDialParams&, Notifier, std::uintptr_t&) override { return 1; }
  std::uint32_t HangUp(std::uintptr_t) override { return 1; }
  std::uint32_t GetErrorString(std::uint32_t, char*, std::uint32_t) override { return 1; }
};

TEST(PhoneBookListing, AsksWithTheFirstRecordSizedAndTheWholeBuffer) {
  ListingService service;
  dial::ListPhoneBookEntries(service);
  EXPECT_EQ(service.calls, 1);
  EXPECT_EQ(service.firstRecordSize, 264u);
  EXPECT_EQ(service.secondRecordSize, 0u);
  EXPECT_EQ(service.lastRecordSize, 0u);
  EXPECT_EQ(service.byteCountIn, 26400u);
}

TEST(PhoneBookListing, GivesTheNamesInTheServicesOrder) {
  ListingService service;
  service.names = {"Zeta", text::Cp("Київстар"), "alpha", "", "Alpha Two"};
  service.claimedCount = 5;
  EXPECT_EQ(dial::ListPhoneBookEntries(service), service.names);

  // Only as many as the service counts.
  service.claimedCount = 2;
  EXPECT_EQ(dial::ListPhoneBookEntries(service),
            (std::vector<std::string>{"Zeta", text::Cp("Київстар")}));
}

TEST(PhoneBookListing, IsEmptyWhenTheServiceFailsOrHasNothing) {
  ListingService service;
  service.names = {"One", "Two"};
  service.claimedCount = 2;
  service.result = platform::kRasBufferTooSmall;
  EXPECT_TRUE(dial::ListPhoneBookEntries(service).empty());
  service.result = 621;
  EXPECT_TRUE(dial::ListPhoneBookEntries(service).empty());

  service.result = 0;
  service.claimedCount = 0;
  EXPECT_TRUE(dial::ListPhoneBookEntries(service).empty());
}

TEST(PhoneBookListing, TakesNoMoreThanAHundredWhateverTheServiceClaims) {
  ListingService service;
  for (int i = 0; i < 100; ++i) service.names.push_back("entry" + std::to_string(i));
  service.claimedCount = 150;
  const std::vector<std::string> names = dial::ListPhoneBookEntries(service);
  ASSERT_EQ(names.size(), 100u);
  EXPECT_EQ(names.back(), "entry99");

  service.claimedCount = 0xFFFFFFFF;
  EXPECT_EQ(dial::ListPhoneBookEntries(service).size(), 100u);
}

TEST(PhoneBookListing, ANameFillingItsFieldIsReadUpTo257Bytes) {
  ListingService service;
  service.names = {"before", "", "after"};
  service.rawIndex = 1;
  service.claimedCount = 3;
  EXPECT_EQ(dial::ListPhoneBookEntries(service),
            (std::vector<std::string>{"before", std::string(257, 'N'), "after"}));
}

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
