#include "platform/ui/Form.h"

#include "platform/ui/Dispatch.h"

namespace ui {

Form::Form(Backend& backend, const FormOptions& options)
    : backend_(backend), peer_(backend.CreateForm(options, *this)) {}

Form::~Form() = default;

void Form::HandleMessage(std::uint32_t id, MessageHandler handler) {
  messageHandlers_[id] = std::move(handler);
}

void Form::RaiseMinimize() {
  Dispatch(backend_, OnMinimize);
}
void Form::RaiseClose() {
  Dispatch(backend_, OnClose);
}
void Form::RaiseDestroy() {
  Dispatch(backend_, OnDestroy);
}

bool Form::RaiseMessage(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) {
  const auto found = messageHandlers_.find(id);
  if (found == messageHandlers_.end()) return false;
  Dispatch(backend_, [&] { found->second(wParam, lParam); });
  return true;
}

}  // namespace ui
