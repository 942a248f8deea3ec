#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/ui/Backend.h"
#include "platform/ui/Peers.h"

namespace ui {

// A top-level window. Controls are made with the form as their parent and must not outlive it.
class Form : private FormEvents {
 public:
  Form(Backend& backend, const FormOptions& options);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  Backend& GetBackend() const { return backend_; }
  FormPeer& Peer() const { return *peer_; }

  void SetCaption(const std::string& cp1251) { peer_->SetCaption(cp1251); }
  std::string Caption() const { return peer_->Caption(); }
  Size ClientSize() const { return peer_->ClientSize(); }
  Rect ScreenBounds() const { return peer_->ScreenBounds(); }
  void Show() { peer_->Show(); }
  void Hide() { peer_->Hide(); }
  bool Visible() const { return peer_->Visible(); }
  void Restore() { peer_->Restore(); }
  void BringToFront() { peer_->BringToFront(); }
  void ShowModal(Form* owner) { peer_->ShowModal(owner ? &owner->Peer() : nullptr); }
  void EndModal() { peer_->EndModal(); }
  void Close() { peer_->Close(); }

  // Runs `handler` when the window receives the private message `id`.
  using MessageHandler = std::function<void(std::uintptr_t wParam, std::intptr_t lParam)>;
  void HandleMessage(std::uint32_t id, MessageHandler handler);

  std::function<void()> OnMinimize;
  std::function<void()> OnClose;
  std::function<void()> OnDestroy;

 private:
  void RaiseMinimize() override;
  void RaiseClose() override;
  void RaiseDestroy() override;
  bool RaiseMessage(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam) override;

  Backend& backend_;
  std::map<std::uint32_t, MessageHandler> messageHandlers_;
  std::unique_ptr<FormPeer> peer_;
};

}  // namespace ui
