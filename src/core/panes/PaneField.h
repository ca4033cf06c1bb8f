#pragma once
// The description of one field of a parameter pane. A pane's list of fields is
// the single description of its editor: the app draws every pane from it, and
// the pane translates between snapshots and the fields' texts through it.

#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace orlenza {

enum class FieldKind {
  Double,    // a number typed as text, shown with `digits` significant digits
  Integer,   // a whole number typed as text
  Text,      // free text that is not a parameter itself (the escape-time formula)
  CheckBox,  // text "1" when set, "0" when not
  Choice,    // a pop-up; its text is the identifier of the chosen item
};

struct PaneField {
  std::string_view labelKey;        // string-table key of the label
  FieldKind kind = FieldKind::Double;
  int lockIndex = 0;                // index of the parameter's lock box; 0: no lock
  int digits = 10;                  // significant digits of a Double field's text
  double minimum = -std::numeric_limits<double>::infinity();  // values read are clamped
  double maximum = std::numeric_limits<double>::infinity();   // into [minimum, maximum]
  std::vector<std::string> choices{};  // item identifiers of a Choice, in menu order
  std::string_view undoKey = "undo_typing";  // undo label of an edit of this field

  // Text fields take the keyboard focus and are part of the tab order.
  bool isTextBox() const {
    return kind == FieldKind::Double || kind == FieldKind::Integer || kind == FieldKind::Text;
  }
};

}  // namespace orlenza
