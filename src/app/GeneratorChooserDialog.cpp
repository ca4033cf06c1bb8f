#include "app/GeneratorChooserDialog.h"

namespace orlenza::app {

GeneratorChooserDialog::GeneratorChooserDialog(std::string const& current, QWidget* parent)
    : QDialog(parent), m_choice(current) {}

void GeneratorChooserDialog::selectionChanged() {}

}  // namespace orlenza::app
