#include "ranking/ui/RankHistory.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QRegularExpressionValidator>
#include <stdexcept>

#include "data/DataModule.h"
#include "platform/MessageService.h"
#include "ranking/RankHistoryReport.h"

namespace tandor {
namespace {

const QString kCaption = QStringLiteral("提示");
const QString kDeleteCaption = QStringLiteral("删除提示");
const QString kBaiduAll = QStringLiteral("select * from Key_BDResults");
const QString kGoogleAll = QStringLiteral("select * from Key_GGResults");

// The columns of a grid over a shared result set: the dataset's fields under the grid's own
// titles. Which fields show, and in which order, the grid's header decides.
class GridColumns final : public QIdentityProxyModel {
 public:
  GridColumns(DataSetModel& source, QObject* parent) : QIdentityProxyModel(parent) {
    setSourceModel(&source);
  }
  void setTitle(int column, const QString& title) { titles_[column] = title; }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && titles_.contains(section)) {
      return titles_.value(section);
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
  }

 private:
  QHash<int, QString> titles_;
};

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption,
                    const QRect& bounds) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setGeometry(bounds);
  return box;
}

QLineEdit* dateField(QWidget* parent, const char* name, const QRect& bounds) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(QString::fromLatin1(name));
  field->setGeometry(bounds);
  // Four-digit year, two-digit month and day: 2008-05-01.
  field->setMaxLength(10);
  field->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral(R"(\d{4}-\d{2}-\d{2})")), field));
  field->setPlaceholderText(QStringLiteral("yyyy-mm-dd"));
  field->setEnabled(false);
  return field;
}

QLabel* greyLabel(QWidget* parent, const QString& text, const QRect& bounds) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(bounds);
  label->setEnabled(false);
  return label;
}

QMenu* deleteMenu(QWidget* parent, const QString& title, const char* oneName, QAction** one,
                  const char* allName, QAction** all) {
  auto* menu = new QMenu(parent);
  menu->addAction(title)->setEnabled(false);
  menu->addSeparator();
  *one = menu->addAction(QStringLiteral("删除此条记录"));
  (*one)->setObjectName(QString::fromLatin1(oneName));
  menu->addSeparator();
  *all = menu->addAction(QStringLiteral("清空所有数据"));
  (*all)->setObjectName(QString::fromLatin1(allName));
  return menu;
}


void load(AdoQuery& results, const QString& sql, const QVariantList& values) {
  results.Close();
  results.SetSQL(sql, values);
  results.Open();
}

}  // namespace

TFrm_KeyDuiBi::TFrm_KeyDuiBi(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Frm_KeyDuiBi"));
  setWindowTitle(QStringLiteral("关键字排名查询数据查看"));
  setFixedSize(731, 525);

  sGroupBox1 = new QGroupBox(QStringLiteral("查询条件"), this);
  sGroupBox1->setObjectName(QStringLiteral("sGroupBox1"));
  sGroupBox1->setGeometry(8, 6, 715, 90);
  sCheckBox1 =
      checkBox(sGroupBox1, "sCheckBox1", QStringLiteral("按关键字查询"), QRect(12, 24, 110, 22));
  EKey = new QLineEdit(sGroupBox1);
  EKey->setObjectName(QStringLiteral("EKey"));
  EKey->setGeometry(124, 24, 150, 22);
  EKey->setEnabled(false);
  greyLabel(sGroupBox1, QStringLiteral("单关键字输入"), QRect(280, 24, 90, 22));
  sCheckBox2 =
      checkBox(sGroupBox1, "sCheckBox2", QStringLiteral("按域名地址查询"), QRect(380, 24, 120, 22));
  Cweb = new QComboBox(sGroupBox1);
  Cweb->setObjectName(QStringLiteral("Cweb"));
  Cweb->setGeometry(502, 24, 200, 22);
  Cweb->setEditable(true);
  Cweb->setInsertPolicy(QComboBox::NoInsert);
  Cweb->setEnabled(false);

  sCheckBox3 =
      checkBox(sGroupBox1, "sCheckBox3", QStringLiteral("按时间段查询"), QRect(12, 56, 110, 22));
  SD = dateField(sGroupBox1, "SD", QRect(124, 56, 100, 22));
  Label1 = new QLabel(QStringLiteral("至"), sGroupBox1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(231, 56, 16, 22);
  SD1 = dateField(sGroupBox1, "SD1", QRect(250, 56, 100, 22));
  mohu = checkBox(sGroupBox1, "mohu", QStringLiteral("模糊查询"), QRect(380, 56, 100, 22));
  sBitBtn1 = new QPushButton(QStringLiteral("数据检索"), sGroupBox1);
  sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
  sBitBtn1->setGeometry(602, 53, 100, 28);

  sPageControl1 = new QTabWidget(this);
  sPageControl1->setObjectName(QStringLiteral("sPageControl1"));
  sPageControl1->setGeometry(8, 104, 715, 413);
  auto* baiduTab = new QWidget;
  auto* googleTab = new QWidget;
  sPageControl1->addTab(baiduTab, QStringLiteral("百度排名数据"));
  sPageControl1->addTab(googleTab, QStringLiteral("谷歌排名数据"));
  dxDBGrid1 = makeGrid(baiduTab, "dxDBGrid1", DM().DataSource1,
                       {{"RecID", "序号"},
                        {"ID", {}},
                        {"Web", "网址"},
                        {"KeyText", "关键字"},
                        {"BaiduResults", "排名情况"},
                        {"BaiPage", "排名页数"},
                        {"SDate", "查询日期"}});
  dxDBGrid2 = makeGrid(googleTab, "dxDBGrid2", DM().DataSource2,
                       {{"ID", {}},
                        {"RecID", "序号"},
                        {"web", "网址"},
                        {"KeyText", "关键字"},
                        {"GoogleResults", "排名情况"},
                        {"GooglePage", "排名页数"},
                        {"SDate", "查询日期"}});

  // Above the grids at the right, beside the tabs.
  auto* hint = greyLabel(this, QStringLiteral("生成的HTML已放在根目录下的Html文件夹内"),
                         QRect(330, 104, 282, 24));
  hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  sSpeedButton1 = new QToolButton(this);
  sSpeedButton1->setObjectName(QStringLiteral("sSpeedButton1"));
  sSpeedButton1->setText(QStringLiteral("导出为HTML"));
  sSpeedButton1->setAutoRaise(true);
  sSpeedButton1->setGeometry(618, 103, 100, 24);

  PopupMenu1 = deleteMenu(this, QStringLiteral("百度删除操作"), "N3", &N3, "N5", &N5);
  PopupMenu2 = deleteMenu(this, QStringLiteral("谷歌删除操作"), "N8", &N8, "N10", &N10);
  attachMenu(dxDBGrid1, PopupMenu1);
  attachMenu(dxDBGrid2, PopupMenu2);

  auto command = [this](void (TFrm_KeyDuiBi::*handler)()) {
    return [this, handler] { runCommand([this, handler] { (this->*handler)(); }); };
  };
  connect(sCheckBox1, &QCheckBox::toggled, this, command(&TFrm_KeyDuiBi::sCheckBox1Click));
  connect(sCheckBox2, &QCheckBox::toggled, this, command(&TFrm_KeyDuiBi::sCheckBox2Click));
  connect(sCheckBox3, &QCheckBox::toggled, this, command(&TFrm_KeyDuiBi::sCheckBox3Click));
  connect(sBitBtn1, &QPushButton::clicked, this, command(&TFrm_KeyDuiBi::sBitBtn1Click));
  connect(N3, &QAction::triggered, this, command(&TFrm_KeyDuiBi::N3Click));
  connect(N5, &QAction::triggered, this, command(&TFrm_KeyDuiBi::N5Click));
  connect(N8, &QAction::triggered, this, command(&TFrm_KeyDuiBi::N8Click));
  connect(N10, &QAction::triggered, this, command(&TFrm_KeyDuiBi::N10Click));
  connect(sSpeedButton1, &QToolButton::clicked, this, command(&TFrm_KeyDuiBi::sSpeedButton1Click));

  runCommand([this] { FormCreate(); });
}

QTableView* TFrm_KeyDuiBi::makeGrid(QWidget* parent, const char* name, DataSetModel& source,
                                    const QList<QPair<QString, QString>>& columns) {
  auto* grid = new QTableView(parent);
  grid->setObjectName(QString::fromLatin1(name));
  grid->setGeometry(4, 4, 701, 376);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setToolTip(QStringLiteral("单击右键可删除数据"));
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(22);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->horizontalHeader()->setStretchLastSection(true);

  auto* model = new GridColumns(source, grid);
  for (const auto& [field, title] : columns) {
    if (!title.isEmpty()) model->setTitle(source.fieldColumn(field), title);
  }
  grid->setModel(model);

  // The grid's columns, left to right; every other field of the result set stays hidden. The
  // field list of a shared result set is fixed, so the positions are known once.
  struct Column {
    int field;
    bool shown;
    int width;
  };
  const QHash<QString, int> widths = {
      {"RecID", 40},         {"Web", 130},           {"web", 130},    {"KeyText", 110},
      {"BaiduResults", 170}, {"GoogleResults", 170}, {"BaiPage", 70}, {"GooglePage", 70}};
  QList<Column> layout;
  for (const auto& [field, title] : columns) {
    const int column = source.fieldColumn(field);
    if (column >= 0) layout.append({column, !title.isEmpty(), widths.value(field, 130)});
  }
  auto arrange = [grid, layout] {
    QHeaderView* header = grid->horizontalHeader();
    for (int column = 0; column < header->count(); ++column) header->setSectionHidden(column, true);
    for (int position = 0; position < layout.size(); ++position) {
      header->moveSection(header->visualIndex(layout[position].field), position);
      header->setSectionHidden(layout[position].field, !layout[position].shown);
      grid->setColumnWidth(layout[position].field, layout[position].width);
    }
  };
  arrange();
  connect(model, &QAbstractItemModel::modelReset, grid, arrange);

  // The grid's selected row is the result set's current row, in both directions.
  connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, &source,
          [&source](const QModelIndex& current) {
            if (current.isValid()) source.setCurrentRow(current.row());
          });
  connect(&source, &DataSetModel::currentRowChanged, grid, [grid](int row) {
    if (row >= 0 && grid->currentIndex().row() != row) grid->selectRow(row);
  });
  return grid;
}

void TFrm_KeyDuiBi::attachMenu(QTableView* grid, QMenu* menu) {
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(grid, &QWidget::customContextMenuRequested, this, [grid, menu](const QPoint& at) {
    const QModelIndex index = grid->indexAt(at);
    if (index.isValid()) grid->selectRow(index.row());
    menu->popup(grid->viewport()->mapToGlobal(at));
  });
}

void TFrm_KeyDuiBi::FormCreate() {
  load(DM().ADO_Key_Results, kBaiduAll, {});
  load(DM().ADO_Key_GGResults, kGoogleAll, {});
}

void TFrm_KeyDuiBi::sCheckBox1Click() {
  if (sCheckBox1->isChecked()) {
    EKey->setEnabled(true);
    EKey->setFocus();
  } else {
    EKey->clear();
    EKey->setEnabled(false);
  }
}

void TFrm_KeyDuiBi::sCheckBox2Click() {
  if (sCheckBox2->isChecked()) {
    Cweb->setEnabled(true);
    Cweb->setFocus();
  } else {
    Cweb->setEditText(QString());
    Cweb->setEnabled(false);
  }
}

void TFrm_KeyDuiBi::sCheckBox3Click() {
  if (sCheckBox3->isChecked()) {
    SD->setEnabled(true);
    SD1->setEnabled(true);
    SD->setFocus();
  } else {
    SD->clear();
    SD1->clear();
    SD->setEnabled(false);
    SD1->setEnabled(false);
  }
}

void TFrm_KeyDuiBi::loadBoth(const QString& where, const QVariantList& values) {
  load(DM().ADO_Key_Results, kBaiduAll + where, values);
  load(DM().ADO_Key_GGResults, kGoogleAll + where, values);
}

QDate TFrm_KeyDuiBi::dateOf(const QLineEdit& field) {
  const QDate date = QDate::fromString(field.text(), QStringLiteral("yyyy-MM-dd"));
  if (!date.isValid()) {
    throw std::invalid_argument("'" + field.text().toStdString() + "' is not a valid date");
  }
  return date;
}

void TFrm_KeyDuiBi::sBitBtn1Click() {
  MessageService& messages = MessageService::instance();
  if (!sCheckBox1->isChecked() && !sCheckBox2->isChecked() && !sCheckBox3->isChecked()) {
    loadBoth(QString(), {});
    return;
  }
  // The filters are not combined: each valid one replaces what the one before it loaded. The
  // typed texts travel as bound values, so an apostrophe is a character like any other.
  if (sCheckBox1->isChecked()) {
    const QString keyword = EKey->text();
    if (keyword.isEmpty()) {
      messages.information(QStringLiteral("对不起，关键字不能为空！"), kCaption);
      EKey->setFocus();
      return;
    }
    if (mohu->isChecked()) {
      loadBoth(QStringLiteral(" where KeyText like ?"), {u'%' + keyword + u'%'});
    } else {
      loadBoth(QStringLiteral(" where KeyText = ?"), {keyword});
    }
  }
  if (sCheckBox2->isChecked()) {
    const QString address = Cweb->currentText();
    if (address.isEmpty()) {
      messages.information(QStringLiteral("对不起，网站地址不能为空！"), kCaption);
      Cweb->setFocus();
      return;
    }
    if (mohu->isChecked()) {
      loadBoth(QStringLiteral(" where Web like ?"), {u'%' + address + u'%'});
    } else {
      loadBoth(QStringLiteral(" where Web = ?"), {address});
    }
  }
  if (sCheckBox3->isChecked()) {
    if (SD->text().isEmpty() && SD1->text().isEmpty()) {
      messages.information(QStringLiteral("对不起，时间段不能为空！"), kCaption);
      SD->setFocus();
      return;
    }
    const QDate from = dateOf(*SD);
    const QDate to = dateOf(*SD1);
    if (to < from) {
      messages.information(QStringLiteral("对不起，结尾日期不能小于起始日期！"), kCaption);
      SD1->setFocus();
      return;
    }
    // Results carry the time of saving; the last day counts whole, up to its last second.
    loadBoth(QStringLiteral(" where SDate >= ? and SDate < ?"),
             {QDateTime(from, QTime(0, 0)), QDateTime(to.addDays(1), QTime(0, 0))});
  }
}

void TFrm_KeyDuiBi::deleteCurrent(AdoQuery& results) {
  MessageService& messages = MessageService::instance();
  if (results.IsEmpty()) {
    messages.information(QStringLiteral("提示：暂时无记录可删除！"), kDeleteCaption);
    return;
  }
  if (messages.question(QStringLiteral("友情提示：您确认要删除此条数据吗？"), kDeleteCaption,
                        QuestionButtons::OkCancel) == Answer::Ok) {
    results.Delete();
  }
}

void TFrm_KeyDuiBi::deleteAll(AdoQuery& results) {
  MessageService& messages = MessageService::instance();
  if (results.IsEmpty()) {
    messages.information(QStringLiteral("提示：暂时无记录可清空！"), kDeleteCaption);
    return;
  }
  if (messages.question(QStringLiteral("您确认要清空所有数据吗？\r\r"
                                       "友情提示：该数据清空后将不可恢复，请慎重操作！"),
                        kDeleteCaption, QuestionButtons::OkCancel) != Answer::Ok) {
    return;
  }
  // Each delete removes the current row, so as many deletes as rows empty the result set; the
  // rows outside the filter in force stay. One transaction: all of them go, or none.
  const int rows = results.RecordCount();
  ControlsDisabled quiet(results);
  Transaction transaction(DM().ADOC);
  for (int i = 0; i < rows; ++i) results.Delete();
  transaction.Commit();
}

void TFrm_KeyDuiBi::N3Click() { deleteCurrent(DM().ADO_Key_Results); }
void TFrm_KeyDuiBi::N5Click() { deleteAll(DM().ADO_Key_Results); }
void TFrm_KeyDuiBi::N8Click() { deleteCurrent(DM().ADO_Key_GGResults); }
void TFrm_KeyDuiBi::N10Click() { deleteAll(DM().ADO_Key_GGResults); }

void TFrm_KeyDuiBi::sSpeedButton1Click() {
  AdoQuery& baidu = DM().ADO_Key_Results;
  AdoQuery& google = DM().ADO_Key_GGResults;
  if (google.IsEmpty() || baidu.IsEmpty()) return;
  WriteRankHistoryReport(baidu, google);
  MessageService::instance().information(QStringLiteral("HTML文件已成功生成到根目录Html文件夹内！"),
                                         kCaption);
}

}  // namespace tandor
