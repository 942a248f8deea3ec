#include "platform/ui/Timer.h"

#include "platform/ui/Dispatch.h"

namespace ui {

Timer::Timer(Form& owner) {
  Backend& backend = owner.GetBackend();
  peer_ = backend.CreateTimer(owner.Peer(), [this, &backend] { Dispatch(backend, OnTimer); });
}

}  // namespace ui
