#pragma once
// The GUI-free model of a parameter pane: its fields with their texts, the lock
// boxes beside them, the tab order, and the report of edits to whoever draws.
// Generator panes (ParameterPane) and geometry panes (GeometryPane) build on it.

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/panes/PaneField.h"

namespace orlenza {

// What a pane tells the drawing side after one of its fields changed.
class PaneListener {
 public:
  virtual ~PaneListener() = default;
  // Re-evaluate whether Draw is enabled.
  virtual void adjustDrawing() = 0;
  // The field changed; the controls snapshot may differ now (an undo entry).
  virtual void currentSnapshotControlsChanged(std::size_t field) = 0;
};

// The key that finished an edit in a text field.
enum class CommitKey { Tab, Return };

class AbstractParameterPane {
 public:
  explicit AbstractParameterPane(std::vector<PaneField> fields);
  virtual ~AbstractParameterPane() = default;
  AbstractParameterPane(AbstractParameterPane const&) = delete;
  AbstractParameterPane& operator=(AbstractParameterPane const&) = delete;

  std::vector<PaneField> const& fields() const { return m_fields; }
  std::size_t fieldCount() const { return m_fields.size(); }

  // The text a field shows. Choice: the chosen identifier; CheckBox: "0" or "1".
  std::string const& fieldText(std::size_t field) const;
  // Stores text as typed; a Choice keeps its selection when text is not one of
  // its items, a CheckBox takes any text other than "0" or empty as set.
  void setFieldText(std::size_t field, std::string text);

  // Lock boxes, by the parameter index of the fields that have one.
  void setLocked(int lockIndex, bool locked);
  bool isLocked(int lockIndex) const;
  // True when no field has this lock index or its lock box is clear.
  bool parameterIsUnlocked(int lockIndex) const;

  // Tab order over the text boxes in field order, without wrap-around.
  std::optional<std::size_t> getFirstTextBox() const;
  std::optional<std::size_t> getLastTextBox() const;
  std::optional<std::size_t> getNextTextBox(std::size_t field) const;
  std::optional<std::size_t> getPrevTextBox(std::size_t field) const;

  // Called after the user changed a field: Draw state and undo entry.
  void adjustDrawing(std::size_t field);
  // Tab, Return or Enter finished an edit of a text field; panes with derived
  // fields (the escape-time formula) react here. Nothing by default.
  virtual void fieldCommitted(std::size_t field, CommitKey key);

  void setListener(PaneListener* listener) { m_listener = listener; }
  // Shown by its pane group; a GUI shows only the shown pane.
  bool isShown() const { return m_shown; }
  void setShown(bool shown) { m_shown = shown; }

 protected:
  // Typed access for the subclasses' snapshot translation. Reading clamps into
  // the field's range; text that is not a finite number, or an infinity beyond
  // an open range, reads as 0.
  void setDoubleField(std::size_t field, double value);
  double doubleFieldValue(std::size_t field) const;
  void setIntegerField(std::size_t field, long long value);
  long long integerFieldValue(std::size_t field) const;
  void setCheckField(std::size_t field, bool value);
  bool checkFieldValue(std::size_t field) const;

 private:
  std::vector<PaneField> m_fields;
  std::vector<std::string> m_texts;
  std::vector<double> m_written;  // the last value setDoubleField wrote, per field
  std::set<int> m_locked;
  PaneListener* m_listener = nullptr;
  bool m_shown = false;
};

// A double's text with the given significant digits ("%.*g"); "nan", "inf" and
// "-inf" for the non-finite values, so the text always reads back.
std::string formatSignificant(double value, int digits);
// The number a field's text stands for: blanks around it are ignored; 0 when
// the text is not a number.
double parseFieldNumber(std::string const& text);

}  // namespace orlenza
