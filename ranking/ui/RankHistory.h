#pragma once
// The rank history window: the saved Baidu and Google rank results on two tabs, narrowed by
// keyword, site address or date range, deleted row by row or all at once, and exported as one
// HTML report. Made once at start-up and shown modally; closing only hides it.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

namespace tandor {

class AdoQuery;
class DataSetModel;

class TFrm_KeyDuiBi : public QDialog {
  Q_OBJECT
 public:
  explicit TFrm_KeyDuiBi(QWidget* parent = nullptr);

  QGroupBox* sGroupBox1;       // 查询条件
  QCheckBox* sCheckBox1;       // 按关键字查询
  QLineEdit* EKey;             // keyword
  QCheckBox* sCheckBox2;       // 按域名地址查询
  QComboBox* Cweb;             // site address, typed
  QCheckBox* sCheckBox3;       // 按时间段查询
  QLineEdit* SD;               // first day of the range
  QLabel* Label1;              // 至
  QLineEdit* SD1;              // last day of the range
  QCheckBox* mohu;             // 模糊查询
  QPushButton* sBitBtn1;       // 数据检索
  QToolButton* sSpeedButton1;  // 导出为HTML
  QTabWidget* sPageControl1;
  QTableView* dxDBGrid1;  // Baidu results
  QTableView* dxDBGrid2;  // Google results
  QMenu* PopupMenu1;
  QAction* N3;  // 删除此条记录 (Baidu)
  QAction* N5;  // 清空所有数据 (Baidu)
  QMenu* PopupMenu2;
  QAction* N8;   // 删除此条记录 (Google)
  QAction* N10;  // 清空所有数据 (Google)

  void FormCreate();
  void sCheckBox1Click();
  void sCheckBox2Click();
  void sCheckBox3Click();
  void sBitBtn1Click();
  void N3Click();
  void N5Click();
  void N8Click();
  void N10Click();
  void sSpeedButton1Click();

 private:
  QTableView* makeGrid(QWidget* parent, const char* name, DataSetModel& source,
                       const QList<QPair<QString, QString>>& columns);
  void attachMenu(QTableView* grid, QMenu* menu);
  // Replaces the contents of both result sets with one filter's query.
  void loadBoth(const QString& where, const QVariantList& values);
  static void deleteCurrent(AdoQuery& results);
  static void deleteAll(AdoQuery& results);
  static QDate dateOf(const QLineEdit& field);
};

}  // namespace tandor
