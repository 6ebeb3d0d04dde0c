#pragma once
// The two widget forms of the shared duplicate rule (RemoveDuplicateEntries): every later entry
// whose text equals an earlier entry's text exactly is removed, the first occurrence of each text
// stays and the survivors keep their order.
class QComboBox;
class QListWidget;
class QTreeWidget;

namespace tandor {

// Items of a drop-down or of a list box, compared by their text. An editable drop-down keeps the
// text typed into it, and no change signal is sent while items go.
void del_Combobox(QComboBox& comboBox);
void del_Combobox(QListWidget& listBox);

// Rows of a report-style list view, compared by their caption (the first column's text); whole
// rows are removed.
void del_listview(QTreeWidget& listView);
// Items of an icon-mode list view, compared by their text.
void del_listview(QListWidget& listView);

}  // namespace tandor
