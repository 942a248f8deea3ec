#pragma once

#include <string>
#include <vector>

#include "platform/TextEditor.h"

namespace testing_support {

class FakeTextEditor : public platform::TextEditor {
 public:
  void Open(const std::string& fileNameCp1251) override { opened.push_back(fileNameCp1251); }
  std::vector<std::string> opened;
};

}  // namespace testing_support
