#include "data/ui/SitePicker.h"

#include <QComboBox>

#include "data/DataModule.h"
#include "pages/ui/ListForms.h"

namespace tandor {

void preparePicker(QComboBox& picker) {
  picker.setEditable(true);
  picker.setInsertPolicy(QComboBox::NoInsert);
  picker.setCurrentIndex(-1);
}

void addlist(QComboBox& picker) {
  AdoQuery& web = DM().ADOWeb;
  web.Close();
  web.SetSQL(QStringLiteral("select * from web_Info"));
  web.Open();
  const QString typed = picker.currentText();
  QStringList addresses;
  for (web.First(); !web.Eof(); web.Next()) addresses << web.FieldByName(QStringLiteral("Web_Url")).AsString();
  picker.clear();
  picker.addItems(addresses);
  del_Combobox(picker);
  // Adding items to an editable drop-down selects the first; the picker keeps what was typed.
  picker.setCurrentIndex(-1);
  picker.setEditText(typed);
}

}  // namespace tandor
