#pragma once
// Answers the message boxes the UI thread shows, as a user would, and remembers what they
// said. A CBT hook on the thread sees each box as it is activated; a moment later, from the
// box's own message loop, the box is read through its controls and closed with the button
// chosen. (A box may be activated while it is still being laid out.)

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace win32test {

struct SeenBox {
  std::string caption;  // cp1251
  std::string text;     // cp1251
  bool errorIcon = false;
  bool questionIcon = false;
  bool anyIcon = false;
  bool okButton = false;
  bool yesNoButtons = false;
  HWND owner = nullptr;
};

class MessageBoxWatcher {
 public:
  // Watches the calling thread.
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // The button pressed in the next box (IDOK, IDYES, IDNO); by default OK, or No when the
  // box asks Yes or No.
  void AnswerNext(int button) { answers_.push_back(button); }
  const std::vector<SeenBox>& Seen() const { return seen_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK AnswerPending(HWND, UINT, UINT_PTR timer, DWORD);
  void Answer(HWND box);

  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  std::vector<HWND> pending_;
  std::deque<int> answers_;
  std::vector<SeenBox> seen_;
};

}  // namespace win32test
