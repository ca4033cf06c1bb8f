#pragma once
// The one place a command is routed: each command has at most one handler,
// registered by whoever owns the window or controller it acts on.

#include <functional>
#include <map>

#include "app/CommandId.h"

namespace orlenza::app {

class CommandDispatcher {
 public:
  using Handler = std::function<void()>;

  // Replaces the handler registered for id, if any.
  void registerHandler(CommandId id, Handler handler) { m_handlers[id] = std::move(handler); }
  bool handles(CommandId id) const { return m_handlers.count(id) != 0; }
  // False when no handler is registered: the command is left to the toolkit.
  bool dispatch(CommandId id) const {
    auto const it = m_handlers.find(id);
    if (it == m_handlers.end()) return false;
    it->second();
    return true;
  }

 private:
  std::map<CommandId, Handler> m_handlers;
};

}  // namespace orlenza::app
