#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/ui/Form.h"

namespace ui {

// Fires OnTimer every Interval milliseconds while enabled; an interval of 0 never fires.
class Timer {
 public:
  explicit Timer(Form& owner);

  void SetInterval(std::uint32_t milliseconds) { peer_->SetInterval(milliseconds); }
  std::uint32_t Interval() const { return peer_->Interval(); }
  void SetEnabled(bool enabled) { peer_->SetEnabled(enabled); }
  bool Enabled() const { return peer_->Enabled(); }

  std::function<void()> OnTimer;

 private:
  std::unique_ptr<TimerPeer> peer_;
};

}  // namespace ui
