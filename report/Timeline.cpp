#include "report/Timeline.h"

#include <algorithm>
#include <utility>

namespace report {

Timeline::Timeline(std::function<void(const Session&)> sessionClosed)
    : sessionClosed_(std::move(sessionClosed)) {}

void Timeline::Add(const LogEvent& event) {
  switch (event.action) {
    case Action::kConnected:
      if (open_) Close(lastKnown_, true);
      open_ = Session{std::string(event.user), event.when, event.when, false};
      lastKnown_ = event.when;
      break;
    case Action::kStillOnline:
      // Marks keep coming after a line drops by itself; with no session they tell nothing.
      if (open_) lastKnown_ = std::max(lastKnown_, event.when);
      break;
    case Action::kDisconnected:
    case Action::kPoweredOff:
      // A power-off follows its own disconnect line, so it usually finds nothing open.
      if (open_) Close(event.when, false);
      break;
  }
}

void Timeline::Finish() {
  if (open_) Close(lastKnown_, true);
}

void Timeline::Close(LocalSeconds end, bool openEnded) {
  Session session = std::move(*open_);
  open_.reset();
  // A clock put back during the session must not give it a negative length.
  session.end = std::max(end, session.start);
  session.openEnded = openEnded;
  sessionClosed_(session);
}

}  // namespace report
