#include "app/GeneratorChooserDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/QtText.h"
#include "core/library/EmbeddedResources.h"
#include "core/panes/GeneratorCatalogue.h"

namespace orlenza::app {

namespace {
constexpr int kNameRole = Qt::UserRole;
constexpr int kExampleRole = Qt::UserRole + 1;
}  // namespace

GeneratorChooserDialog::GeneratorChooserDialog(std::string const& current, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Generator"));
  setWindowTitle(text("GeneratorDialogTitle"));
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  m_list = new QTreeWidget(this);
  m_list->setHeaderHidden(true);
  m_list->setMinimumWidth(230);
  m_list->setMinimumHeight(420);
  m_list->setRootIsDecorated(true);
  row->addWidget(m_list);
  auto* info = new QVBoxLayout;
  m_image = new QLabel(this);
  m_image->setFixedSize(200, 200);
  m_image->setAlignment(Qt::AlignCenter);
  m_image->setScaledContents(false);
  info->addWidget(m_image, 0, Qt::AlignHCenter);
  m_description = new QLabel(this);
  m_description->setWordWrap(true);
  m_description->setMinimumWidth(220);
  m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  info->addWidget(m_description, 1);
  row->addLayout(info);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  // Categories (IDs that are multiples of 100) hold their generators and cannot be chosen.
  QTreeWidgetItem* category = nullptr;
  QTreeWidgetItem* currentItem = nullptr;
  for (auto const& [id, entry] : GeneratorCatalogue::getItemInfo()) {
    if (id % 100 == 0) {
      category = new QTreeWidgetItem(m_list, QStringList{text(entry.name)});
      category->setFlags(Qt::ItemIsEnabled);
      category->setExpanded(true);
      continue;
    }
    auto* item = new QTreeWidgetItem(category ? category : m_list->invisibleRootItem(), QStringList{text(entry.name)});
    item->setData(0, kNameRole, toQString(entry.name));
    item->setData(0, kExampleRole, toQString(entry.exampleKey));
    if (entry.name == current) currentItem = item;
  }
  m_list->expandAll();
  connect(m_list, &QTreeWidget::itemSelectionChanged, this, &GeneratorChooserDialog::selectionChanged);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item && !item->data(0, kNameRole).toString().isEmpty()) accept();
  });
  if (currentItem) {
    m_list->setCurrentItem(currentItem);
    m_list->scrollToItem(currentItem);
  }
  selectionChanged();
  m_list->setFocus();
}

void GeneratorChooserDialog::selectionChanged() {
  QList<QTreeWidgetItem*> const selected = m_list->selectedItems();
  if (selected.isEmpty()) return;
  QString const name = selected.front()->data(0, kNameRole).toString();
  if (name.isEmpty()) return;  // a category row
  m_choice = name.toStdString();
  std::string const example = selected.front()->data(0, kExampleRole).toString().toStdString();
  QPixmap picture;
  if (auto bytes = findEmbeddedResource("examples/" + example + ".png"))
    picture.loadFromData(reinterpret_cast<uchar const*>(bytes->data()), static_cast<uint>(bytes->size()), "PNG");
  if (picture.isNull()) {
    m_image->hide();
  } else {
    m_image->setPixmap(picture.scaled(m_image->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_image->show();
  }
  m_description->setText(hasLocalizedString(example) ? text(example) : text("NoDescription"));
}

}  // namespace orlenza::app
