#pragma once
// The controls of the main window other than the panes: number fields that
// remember what the program wrote into them, pop-up menus of identifiers, the
// post-filter controls and the geometry warning.

#include <string>
#include <vector>

namespace orlenza {

// A text field holding a number. What the program wrote stands for the exact
// value until the user edits it; typed text stands for the number it reads as,
// and text that is not a finite number (empty, letters, "nan", "1e999", a
// thousand digits) for 0, so no typed text gives a snapshot NaN or infinity.
class NumberField {
 public:
  // singlePrecision: the value is kept as a float (gradation scale and offset).
  explicit NumberField(int digits = 10, bool singlePrecision = false)
      : m_digits(digits), m_singlePrecision(singlePrecision) {}

  std::string const& text() const { return m_text; }
  // As typed.
  void setText(std::string text) { m_text = std::move(text); }
  // Written by the program with the field's digits.
  void show(double value);
  double value() const;

 private:
  int m_digits;
  bool m_singlePrecision;
  std::string m_text = "0";
  std::string m_shownText = "0";
  double m_shownValue = 0.0;
};

// A pop-up menu whose items are identifiers. An identifier shown by the
// program that is not an item (a filter of a newer version, say) puts the menu
// on its first item but is kept as the choice until the user picks an item.
class IdentifierMenu {
 public:
  explicit IdentifierMenu(std::vector<std::string> items);

  std::vector<std::string> const& items() const { return m_items; }
  int index() const { return m_index; }
  std::string const& identifier() const;
  // The user's choice; false, changing nothing, for an index outside the menu.
  bool select(int index);
  // The program shows identifier.
  void show(std::string const& identifier);
  // Index of identifier among the items, or -1.
  int indexOf(std::string const& identifier) const;

  bool enabled() const { return m_enabled; }
  void setEnabled(bool enabled) { m_enabled = enabled; }

 private:
  std::vector<std::string> m_items;
  int m_index = 0;
  std::string m_shown;
  bool m_showsUnlisted = false;
  bool m_enabled = true;
};

// A pop-up of every post-filter in menu order with its parameter field, which
// is enabled only for a filter that uses its parameter; choosing one that does
// not sets the parameter to 0.
class PostfilterControl {
 public:
  PostfilterControl();

  IdentifierMenu const& menu() const { return m_menu; }
  NumberField& parameter() { return m_parameter; }
  NumberField const& parameter() const { return m_parameter; }
  bool parameterEnabled() const { return m_parameterEnabled; }

  // The user picks item index; false for an index outside the menu.
  bool choose(int index);
  // The program shows a filter and its parameter, kept as stored even when
  // the filter does not use it, so that a shown snapshot reads back equal.
  void adjustToID(std::string const& identifier, double parameter);

 private:
  void adjustParameterField();

  IdentifierMenu m_menu;
  NumberField m_parameter{10};
  bool m_parameterEnabled = false;
};

// The group of the main window that holds a control, shown as one tab; an
// undone edit brings its control's tab to the front.
enum class ControlTab { Generator, Geometry, View, Colouring };

// Which warnings stand beside the geometry controls.
struct GeometryWarning {
  bool inverseWarningShown = false;  // the generator needs an inverse this geometry lacks
  bool ignoredWarningShown = false;  // the generator does not use the geometry
  bool popUpEnabled = true;

  friend bool operator==(GeometryWarning const&, GeometryWarning const&) = default;
};

}  // namespace orlenza
