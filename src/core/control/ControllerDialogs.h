#pragma once
// The questions the controllers put to the user, each answered by a window in
// the studio and by a script in tests.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/model/RGBColor.h"

namespace orlenza {

// A question with three buttons; every text is a string-table key.
struct YesNoCancelQuestion {
  std::string_view titleKey;
  std::string_view explainKey;
  std::string_view yesKey;
  std::string_view cancelKey;
  std::string_view noKey;

  friend bool operator==(YesNoCancelQuestion const&, YesNoCancelQuestion const&) = default;
};

enum class QuestionAnswer { yes, cancel, no };

class QuestionAsker {
 public:
  virtual ~QuestionAsker() = default;
  virtual QuestionAnswer ask(YesNoCancelQuestion const& question) = 0;
};

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // An existing file with the extension (no dot), or nothing when cancelled.
  virtual std::optional<std::filesystem::path> chooseFileToOpen(std::string_view extension) = 0;
  // Where a new file with the extension goes; titleKey names the dialog's title.
  virtual std::optional<std::filesystem::path> chooseNewFile(std::string_view extension, std::string_view titleKey) = 0;
};

class KeyframePositionAsker {
 public:
  virtual ~KeyframePositionAsker() = default;
  // Shows the "KeyframePos" dialog with text in its field; the text the user
  // confirms, or nothing when cancelled. Asked again after an alert.
  virtual std::optional<std::string> askKeyframePosition(std::string const& text) = 0;
  // The text was taken or the user cancelled: a dialog kept open through the alerts closes.
  virtual void closeKeyframePositionDialog() {}
};

class ColourPicker {
 public:
  virtual ~ColourPicker() = default;
  // The colour the user confirms, starting from initial; nothing when cancelled.
  virtual std::optional<RGBColor> pickColour(RGBColor const& initial) = 0;
};

}  // namespace orlenza
