#pragma once
// What the movie settings dialog decides, without the window: the texts it
// shows first, and the settings a confirmation gives or the sentence that
// refuses them before any frame is made.

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "core/animation/MovieSettings.h"

namespace orlenza {

class MorphDialog {
 public:
  // The window the interface builds for this dialog.
  static constexpr std::string_view kDialogName = "Render";

  enum Field { width, height, frameCount, framesPerSecond, fieldCount };
  // The codec pop-up's items; the codec index is the item number plus one.
  static constexpr std::array<std::string_view, 2> kCodecItems = {"H.264", "Animation"};

  // Width and height start as the drawing's size, the rest as the renderer's defaults.
  MorphDialog(int drawingWidth, int drawingHeight);

  std::string const& getText(Field field) const { return m_texts[field]; }
  void setText(Field field, std::string text) { m_texts[field] = std::move(text); }
  int getCodecItem() const { return m_codecItem; }
  void setCodecItem(int item) { m_codecItem = item; }

  // Runs when the user confirms: the settings, or one sentence saying what is wrong.
  std::variant<MovieSettings, std::string> confirm() const;

 private:
  std::array<std::string, fieldCount> m_texts;
  int m_codecItem = 0;
};

}  // namespace orlenza
