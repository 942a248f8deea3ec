#include "report/SettingsLog.h"

#include "data/TSetup.h"

namespace report {
namespace {

// Passes reads through and refuses every write: the report must leave the settings alone.
class ReadOnlyProfiles : public platform::ProfileFiles {
 public:
  explicit ReadOnlyProfiles(platform::ProfileFiles& files) : files_(files) {}

  std::vector<std::string> Keys(const std::string& file, const std::string& section) override {
    return files_.Keys(file, section);
  }
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override {
    return files_.Read(file, section, key);
  }
  bool Write(const std::string&, const std::string&, const std::string&,
             const std::string&) override {
    return false;
  }

 private:
  platform::ProfileFiles& files_;
};

}  // namespace

std::string SettingsLogName(platform::ProfileFiles& profiles) {
  ReadOnlyProfiles readOnly(profiles);
  return data::TSetup(readOnly).LogFileName;
}

}  // namespace report
