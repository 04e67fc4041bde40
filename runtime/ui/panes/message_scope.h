// How long panes live while messages are handled: the scope of a message, and deleting a pane within one.
#pragma once

namespace ql {

class Pane;

// A message (or a pass of the event loop) being handled. A pane deleted meanwhile, as when a handler closes
// its own window or control, is deleted when the outermost scope ends, so that the runtime code still on the
// stack never touches a freed pane; it is closed already and receives no further events.
class MessageScope {
 public:
  MessageScope();
  ~MessageScope();
  MessageScope(const MessageScope&) = delete;
  MessageScope& operator=(const MessageScope&) = delete;
};
// Deletes the pane now, or at the end of the outermost message scope.
void delete_pane(Pane* pane);

}  // namespace ql
