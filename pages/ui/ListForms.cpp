#include "pages/ui/ListForms.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <vector>

#include "pages/TextHelpers.h"

namespace tandor {
namespace {

template <typename TextAt>
std::vector<size_t> Duplicates(int count, TextAt textAt) {
  return LaterDuplicateIndexes<QString>(static_cast<size_t>(count),
                                        [&](size_t i) { return textAt(static_cast<int>(i)); });
}

void RemoveListItems(QListWidget& list) {
  const std::vector<size_t> later =
      Duplicates(list.count(), [&](int i) { return list.item(i)->text(); });
  for (auto it = later.rbegin(); it != later.rend(); ++it) {
    delete list.takeItem(static_cast<int>(*it));
  }
}

}  // namespace

void del_Combobox(QComboBox& comboBox) {
  const std::vector<size_t> later =
      Duplicates(comboBox.count(), [&](int i) { return comboBox.itemText(i); });
  if (later.empty()) return;
  const QSignalBlocker quiet(comboBox);
  const QString typed = comboBox.currentText();
  for (auto it = later.rbegin(); it != later.rend(); ++it) {
    comboBox.removeItem(static_cast<int>(*it));
  }
  if (comboBox.isEditable()) comboBox.setEditText(typed);
}

void del_Combobox(QListWidget& listBox) { RemoveListItems(listBox); }

void del_listview(QTreeWidget& listView) {
  const std::vector<size_t> later = Duplicates(
      listView.topLevelItemCount(), [&](int i) { return listView.topLevelItem(i)->text(0); });
  for (auto it = later.rbegin(); it != later.rend(); ++it) {
    delete listView.takeTopLevelItem(static_cast<int>(*it));
  }
}

void del_listview(QListWidget& listView) { RemoveListItems(listView); }

}  // namespace tandor
