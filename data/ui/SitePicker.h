#pragma once
// The site picker that every tool page offers: an editable drop-down of the registered
// addresses, each distinct address once. Pages read its text, never its selection.
class QComboBox;

namespace tandor {

// Refills the picker's items from the registered sites in database order; the typed text stays.
void addlist(QComboBox& picker);
// Makes a picker as the pages use it: editable, free text, no item selected.
void preparePicker(QComboBox& picker);

}  // namespace tandor
