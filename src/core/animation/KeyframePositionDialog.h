#pragma once
// What the dialog asking for a keyframe position decides, without the window:
// the text it shows first, and whether a typed text is accepted or which alert
// keeps the dialog open.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace orlenza {

class KeyframeContainer;

class KeyframePositionDialog {
 public:
  // The window the interface builds for this dialog.
  static constexpr std::string_view kDialogName = "KeyframePos";

  enum class Verdict {
    accepted,
    outOfRange,  // not in 0..1, or not a number at all
    duplicate,   // the container already holds a keyframe at that 1/10000 step
  };

  // The localized-text keys of the alert shown for a verdict.
  struct Alert {
    std::string_view mainKey;
    std::string_view explainKey;
  };
  static std::optional<Alert> alertFor(Verdict verdict);

  // The container must outlive the dialog. The field starts with initial in
  // the default stream form of a double (6 significant digits).
  KeyframePositionDialog(KeyframeContainer const& container, double initial);

  std::string const& getText() const { return m_text; }
  void setText(std::string text) { m_text = std::move(text); }

  // Runs when the user confirms.
  Verdict validate() const;
  // The position to use once the text is accepted, as a float; nothing otherwise.
  std::optional<float> acceptedPosition() const;

  // The whole text as a decimal number, blanks around it allowed; nothing for
  // an empty text, trailing characters or a value a double cannot hold.
  static std::optional<double> parsePosition(std::string_view text);
  // The default stream form of v, independent of the global locale.
  static std::string formatPosition(double v);

 private:
  KeyframeContainer const* m_container;
  std::string m_text;
};

}  // namespace orlenza
