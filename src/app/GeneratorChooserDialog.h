#pragma once
// The "Generator" dialog: the generators under their five categories, with
// the example picture and the description of the one selected.

#include <QDialog>

#include <string>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace orlenza::app {

class GeneratorChooserDialog : public QDialog {
  Q_OBJECT
 public:
  // Opens on the current generator, selected and in view.
  GeneratorChooserDialog(std::string const& current, QWidget* parent = nullptr);
  // The generator last selected; empty when none was.
  std::string const& choice() const { return m_choice; }
  QTreeWidget* list() const { return m_list; }

 private:
  void selectionChanged();

  QTreeWidget* m_list = nullptr;
  QLabel* m_image = nullptr;
  QLabel* m_description = nullptr;
  std::string m_choice;
};

}  // namespace orlenza::app
