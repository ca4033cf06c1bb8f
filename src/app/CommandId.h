#pragma once
// Four-character command codes ('Draw', 'Rand', ...) as the 32-bit numbers
// every menu item, toolbar button and shortcut sends.

#include <cstdint>
#include <string>
#include <string_view>

namespace orlenza::app {

using CommandId = std::uint32_t;

// 'Draw' as one number, first character in the high byte.
constexpr CommandId commandId(std::string_view four) {
  CommandId id = 0;
  for (std::size_t i = 0; i < 4; ++i) id = (id << 8) | static_cast<unsigned char>(i < four.size() ? four[i] : ' ');
  return id;
}

inline std::string commandName(CommandId id) {
  std::string name(4, ' ');
  for (int i = 3; i >= 0; --i, id >>= 8) name[static_cast<std::size_t>(i)] = static_cast<char>(id & 0xFF);
  return name;
}

}  // namespace orlenza::app
