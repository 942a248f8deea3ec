#pragma once
// The log read as one timeline: the computer has one connection at a time.

#include <functional>
#include <optional>
#include <string>

#include "report/LogLine.h"

namespace report {

struct Session {
  std::string user;  // as the connect line names it
  LocalSeconds start = 0;
  LocalSeconds end = 0;  // never before `start`
  // No disconnect or power-off line closed it: it is counted up to its last known moment.
  bool openEnded = false;
};

class Timeline {
 public:
  explicit Timeline(std::function<void(const Session&)> sessionClosed);

  // A connect line opens a session for its user, first ending one still open at its last
  // known moment; the next disconnect or power-off line closes it, whatever name it bears,
  // and a still-on-line mark moves its last known moment.
  void Add(const LogEvent& event);
  // The end of the log: a session still open ends at its last known moment.
  void Finish();

 private:
  void Close(LocalSeconds end, bool openEnded);

  std::function<void(const Session&)> sessionClosed_;
  std::optional<Session> open_;
  LocalSeconds lastKnown_ = 0;
};

}  // namespace report
