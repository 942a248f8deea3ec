#pragma once
// A notification area that records what the program hands the shell.

#include <vector>

#include "platform/NotifyIcons.h"

namespace testing_support {

class FakeNotifyIcons : public platform::NotifyIcons {
 public:
  struct Call {
    platform::NotifyIconAction action;
    platform::NotifyIconData data;
  };

  // What the shell answers.
  bool accepts = true;
  std::uint32_t firstFormSize = 88;
  std::uintptr_t icon = 0x1C0;
  ui::Point cursor{640, 700};
  std::uint32_t taskbarCreated = 0xC0DE;

  std::vector<Call> calls;

  bool Notify(platform::NotifyIconAction action, const platform::NotifyIconData& data) override {
    calls.push_back({action, data});
    return accepts;
  }
  std::uint32_t FirstFormSize() const override { return firstFormSize; }
  std::uintptr_t ApplicationIcon() override { return icon; }
  ui::Point CursorPos() override { return cursor; }
  std::uint32_t TaskbarCreatedMessage() override { return taskbarCreated; }

  // Whether the icon is in the notification area after the calls so far.
  bool IconShown() const {
    bool shown = false;
    for (const Call& call : calls) {
      if (call.action == platform::NotifyIconAction::Add) shown = true;
      if (call.action == platform::NotifyIconAction::Delete) shown = false;
    }
    return shown;
  }
};

}  // namespace testing_support
