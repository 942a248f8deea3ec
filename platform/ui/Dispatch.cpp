#include "platform/ui/Dispatch.h"

#include <exception>
#include <string>

#include "platform/text/Cp1251.h"
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
    fault = text::Cp("Невідома помилка.");
  }
  backend.ShowMessageBox(nullptr, MessageKind::ErrorReport, fault, backend.ApplicationTitle());
}

}  // namespace ui
