// The users file comes from disk as it is: any bytes, any length bytes. Loading must never
// read past a field, and a loaded table must write back exactly the records it read.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/TUsers.h"
#include "fuzz/FuzzFolder.h"

namespace {

template <std::size_t Capacity>
void CheckField(const data::ShortString<Capacity>& field) {
  fuzzing::Check(field.Length() <= Capacity, "a length beyond its field");
  fuzzing::Check(field.Value().size() == field.Length(), "a value longer than its length");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using fuzzing::Check;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const auto loadedPath = fuzzing::FuzzFolder() / "loaded.usr";
  const auto savedPath = fuzzing::FuzzFolder() / "saved.usr";
  fuzzing::WriteBytes(loadedPath, input);

  data::TUsers users;
  users.AddUser("left", "over", "", "", "");
  const bool loaded = users.LoadFromFile(loadedPath.string());

  const std::size_t whole = std::min<std::size_t>(size / data::kUserRecordSize, 10);
  Check(users.Count() == static_cast<int>(whole), "Count is not the number of whole records");
  Check(loaded == (whole > 0), "the result does not say whether a record was read");

  for (int i = 1; i <= users.Count(); ++i) {
    const data::UserRecord record = users.GetUser(i);
    CheckField(record.Phone);
    CheckField(record.Login);
    CheckField(record.Name);
    CheckField(record.Password);
    CheckField(record.Pass);
    // Lookups find the first record of a name, never a later one.
    const int index = users.IndexOfUser(record.Name.Value());
    Check(index >= 1 && index <= i, "IndexOfUser misses a listed name");
    Check(users.FindUser(record.Name.Value()).Name.Value() == record.Name.Value(),
          "FindUser gives another name");
  }
  Check(users.GetUser(0).Name.Length() == 0 && users.GetUser(users.Count() + 1).Name.Length() == 0,
        "GetUser outside the table gives a record");

  Check(users.SaveToFile(savedPath.string()), "saving a loaded table failed");
  Check(fuzzing::ReadBytes(savedPath) == input.substr(0, whole * data::kUserRecordSize),
        "the saved file is not the records that were read");
  return 0;
}
