#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QTreeWidget>

#include "pages/ui/ListForms.h"

using namespace tandor;

namespace {

const QStringList kEntries = {"a.com", "b.com", "a.com", "A.com", "b.com", "a.com"};
const QStringList kKept = {"a.com", "b.com", "A.com"};

QStringList Texts(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
  return texts;
}

TEST(ListForms, EachFormKeepsFirstOccurrencesInOrder) {
  QComboBox picker;
  picker.setEditable(true);
  picker.addItems(kEntries);
  picker.setCurrentIndex(2);  // a repeated item is current, and the user typed over it
  picker.setEditText("typed.com");
  int edits = 0;
  QObject::connect(&picker, &QComboBox::editTextChanged, [&] { ++edits; });
  del_Combobox(picker);
  QStringList items;
  for (int i = 0; i < picker.count(); ++i) items << picker.itemText(i);
  EXPECT_EQ(items, kKept);
  EXPECT_EQ(picker.currentText(), "typed.com");
  EXPECT_EQ(edits, 0);

  QListWidget listBox;
  listBox.addItems(kEntries);
  del_Combobox(listBox);
  EXPECT_EQ(Texts(listBox), kKept);

  QListWidget icons;
  icons.setViewMode(QListView::IconMode);
  icons.addItems(kEntries);
  del_listview(icons);
  EXPECT_EQ(Texts(icons), kKept);

  // Report rows compare by caption only; the whole first row of each caption stays.
  QTreeWidget report;
  for (int i = 0; i < kEntries.size(); ++i) {
    report.addTopLevelItem(new QTreeWidgetItem({kEntries[i], QString::number(i)}));
  }
  del_listview(report);
  ASSERT_EQ(report.topLevelItemCount(), 3);
  const QStringList expectedRows[] = {{"a.com", "0"}, {"b.com", "1"}, {"A.com", "3"}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(report.topLevelItem(i)->text(0), expectedRows[i][0]);
    EXPECT_EQ(report.topLevelItem(i)->text(1), expectedRows[i][1]);
  }
}

}  // namespace
