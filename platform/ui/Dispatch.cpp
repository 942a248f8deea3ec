#include "platform/ui/Dispatch.h"

#include <exception>
#include <string>

#include "platform/ui/Backend.h"

namespace ui {

void Dispatch(Backend& backend, const std::function<void()>& handler) {
  if (!handler) return;
  std::string fault;
  try {
    handler();
    return;
  } catch (const std::exception& e) {
    fault = e.what();
  } catch (...) {
    fault = "Unknown fault";
  }
  backend.ShowMessageBox(nullptr, MessageKind::ErrorReport, fault, backend.ApplicationTitle());
}

}  // namespace ui
