#pragma once
// The site manager: the user's list of registered sites, a name and an address each. Made once
// at start-up and shown modally; closing only hides it, so its fields and list stay as left.
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tandor {

class TFrm_WEB : public QDialog {
  Q_OBJECT
 public:
  explicit TFrm_WEB(QWidget* parent = nullptr);

  QLabel* sLabelFX1;
  QLabel* sLabel1;
  QLineEdit* webname;
  QLabel* sLabel2;
  QLineEdit* weburl;
  QLabel* Label1;
  QPushButton* sBitBtn1;
  QPushButton* sBitBtn2;
  QListWidget* ListView1;

  void FormCreate();
  void listshuaxin();
  void del_listview();
  void sBitBtn1Click();
  void sBitBtn2Click();
  void ListView1Click();

  // The roles under which a list entry carries its name and address.
  static constexpr int NameRole = Qt::UserRole;
  static constexpr int AddressRole = Qt::UserRole + 1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Looks the site up by name; true when found, with ADOWeb on its row.
  bool findSite(const QString& name);
  void startNewEntry();
};

}  // namespace tandor
