#pragma once
// Every command of the studio in one table: its menu, text, shortcut, icon and
// the rule that enables it. Menus, the toolbar and the application-wide
// shortcuts are all built from here, so a command cannot be in one place and
// missing in another. A window that brings its commands to life changes the
// rule of their rows and registers handlers with the dispatcher.

#include <string_view>
#include <vector>

#include "app/CommandId.h"

namespace orlenza::app {

class Application;

// Whether the command can run now.
using EnabledRule = bool (*)(Application const&);

struct CommandInfo {
  CommandId id = 0;
  std::string_view menuKey;   // string-table key of the menu that lists it
  std::string_view textKey;   // string-table key of the item's text
  std::string_view shortcut;  // QKeySequence text ("Ctrl+R"), empty for none
  std::string_view iconName;  // ":/icons/<iconName>.svg", empty for none
  EnabledRule enabled = nullptr;
  bool separatorBefore = false;
  bool checkable = false;     // the item shows a state (the mirror boxes)
};

// A toolbar item: an identifier of its own and the command it sends.
struct ToolbarItem {
  std::string_view identifier;  // "com.orlenza.die" ...
  std::string_view iconName;
  std::string_view labelKey;
  std::string_view helpKey;
  CommandId command = 0;
};

namespace CommandTable {

// Every command, grouped by menu in menu order.
std::vector<CommandInfo> const& rows();
// The row of id, or null.
CommandInfo const* find(CommandId id);
// The menus in menu-bar order.
std::vector<std::string_view> const& menuKeys();
// The main window's toolbar "com.orlenza.maintoolbar", in its default order.
std::vector<ToolbarItem> const& toolbarItems();
inline constexpr std::string_view kToolbarIdentifier = "com.orlenza.maintoolbar";
// The menu that holds the image sizes; used sizes follow its presets.
inline constexpr std::string_view kSizeMenuKey = "menu_Size";

}  // namespace CommandTable

}  // namespace orlenza::app
