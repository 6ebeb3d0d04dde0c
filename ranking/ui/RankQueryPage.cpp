#include "ranking/ui/RankQueryPage.h"

#include <QKeyEvent>
#include <stdexcept>

#include "app/AppWindows.h"
#include "data/DataModule.h"
#include "data/ui/SitePicker.h"
#include "pages/TextHelpers.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Gbk.h"
#include "platform/MessageService.h"
#include "platform/ui/ReportList.h"
#include "ranking/KeywordSplit.h"
#include "ranking/RankRules.h"
#include "ranking/ui/RankWalker.h"

namespace tandor {
namespace {

const QString kCaption = QStringLiteral("提示");

QLabel* label(QWidget* parent, const QString& text, const QRect& bounds, bool grey = false) {
  auto* widget = new QLabel(text, parent);
  widget->setGeometry(bounds);
  if (grey) widget->setStyleSheet(QStringLiteral("color: gray;"));
  return widget;
}

// A whole number as the runtime reads one; anything else is a conversion error.
int wholeNumber(const QString& text) {
  bool ok = false;
  const int value = text.trimmed().toInt(&ok);
  if (!ok) throw std::invalid_argument("'" + text.toStdString() + "' is not a valid integer value");
  return value;
}

QMenu* resultMenu(QWidget* parent, const QString& itemName, const QString& itemCaption,
                  QAction** item) {
  auto* menu = new QMenu(parent);
  menu->addAction(QStringLiteral("友情提示"))->setEnabled(false);
  menu->addSeparator();
  *item = menu->addAction(itemCaption);
  (*item)->setObjectName(itemName);
  return menu;
}

// Appends one row per list row: the site, the list's columns into the given fields in order, and
// the time of saving.
void saveResultRows(AdoQuery& results, const QString& selectAll, const QTreeWidget& list,
                    const QStringList& columnFields, const QString& site, const QDateTime& now) {
  results.Close();
  results.SetSQL(selectAll);
  results.Open();
  for (int i = 0; i < list.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = list.topLevelItem(i);
    results.Append();
    results.FieldByName(QStringLiteral("web")).SetAsString(site);
    for (int column = 0; column < columnFields.size(); ++column)
      results.FieldByName(columnFields[column]).SetAsString(row->text(column));
    results.FieldByName(QStringLiteral("SDate")).SetAsDateTime(now);
    results.Post();
  }
}

}  // namespace

TFrame_guanjianzichaxun::TFrame_guanjianzichaxun(QWidget* owner) : ToolPage(owner) {
  setObjectName(QStringLiteral("Frame_guanjianzichaxun"));
  resize(595, 518);
  auto* title = label(this, QStringLiteral("关键字排名查询"), QRect(12, 6, 300, 26));
  QFont heading = title->font();
  heading.setPixelSize(18);
  heading.setBold(true);
  title->setFont(heading);

  label(this, QStringLiteral("请输入您的网址："), QRect(12, 42, 100, 22));
  sComboBox1 = new QComboBox(this);
  sComboBox1->setObjectName(QStringLiteral("sComboBox1"));
  sComboBox1->setGeometry(112, 42, 200, 22);
  preparePicker(*sComboBox1);
  sComboBox1->installEventFilter(this);

  label(this, QStringLiteral("关键字："), QRect(12, 72, 100, 22));
  sEdit1 = new QLineEdit(this);
  sEdit1->setObjectName(QStringLiteral("sEdit1"));
  sEdit1->setGeometry(112, 72, 200, 22);
  label(this, QStringLiteral("说明：如多个关键字请用\" | \"分开"), QRect(318, 72, 272, 22), true);

  CheckBox1 = new QCheckBox(QStringLiteral("百度"), this);
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  CheckBox1->setGeometry(112, 100, 60, 22);
  CheckBox2 = new QCheckBox(QStringLiteral("谷歌"), this);
  CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
  CheckBox2->setGeometry(180, 100, 60, 22);

  label(this, QStringLiteral("页数范围："), QRect(260, 100, 70, 22));
  sComboBox2 = new QComboBox(this);
  sComboBox2->setObjectName(QStringLiteral("sComboBox2"));
  sComboBox2->setGeometry(330, 100, 50, 22);
  sComboBox2->addItem(QStringLiteral("1"));
  sComboBox2->setCurrentIndex(0);
  label(this, QStringLiteral("页至"), QRect(386, 100, 30, 22));
  sComboBox3 = new QComboBox(this);
  sComboBox3->setObjectName(QStringLiteral("sComboBox3"));
  sComboBox3->setGeometry(420, 100, 60, 22);
  sComboBox3->setEditable(true);
  sComboBox3->setInsertPolicy(QComboBox::NoInsert);
  for (int page = 2; page <= 100; ++page) sComboBox3->addItem(QString::number(page));
  sComboBox3->setEditText(QStringLiteral("10"));
  // An editable drop-down hands the keys it gets straight to its edit line, past any filter
  // there, so the filter sits on both.
  sComboBox3->installEventFilter(this);
  sComboBox3->lineEdit()->installEventFilter(this);

  sBitBtn1 = new QPushButton(QStringLiteral("开始查询"), this);
  sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
  sBitBtn1->setGeometry(500, 40, 85, 26);
  label(this,
        QStringLiteral(
            "提示：一段时间内请勿频繁查询操作，否则会导致查询数据不准确或被搜索引擎蒙蔽IP。"),
        QRect(12, 128, 575, 20), true);

  sSpeedButton1 = new QToolButton(this);
  sSpeedButton1->setObjectName(QStringLiteral("sSpeedButton1"));
  sSpeedButton1->setText(QStringLiteral("保存查询结果"));
  sSpeedButton1->setAutoRaise(true);
  sSpeedButton1->setGeometry(380, 150, 100, 24);
  sSpeedButton1->setEnabled(false);
  sSpeedButton2 = new QToolButton(this);
  sSpeedButton2->setObjectName(QStringLiteral("sSpeedButton2"));
  sSpeedButton2->setText(QStringLiteral("查看历史查询"));
  sSpeedButton2->setAutoRaise(true);
  sSpeedButton2->setGeometry(485, 150, 100, 24);

  ListView1 = new QTreeWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setGeometry(12, 178, 575, 150);
  configureReportList(*ListView1, {{QStringLiteral("关键字"), 150},
                                   {QStringLiteral("百度排名"), 250, true},
                                   {QStringLiteral("页数"), 70, true},
                                   {QStringLiteral("百度快照"), 80, true}});
  ListView2 = new QTreeWidget(this);
  ListView2->setObjectName(QStringLiteral("ListView2"));
  ListView2->setGeometry(12, 334, 575, 150);
  configureReportList(*ListView2, {{QStringLiteral("关键字"), 150},
                                   {QStringLiteral("谷歌排名"), 250, true},
                                   {QStringLiteral("页数"), 70, true}});
  for (QTreeWidget* list : {ListView1, ListView2}) {
    list->setToolTip(QStringLiteral("单击右键可网页打开"));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
  }
  PopupMenu1 = resultMenu(this, QStringLiteral("N3"), QStringLiteral("百度网页查看"), &N3);
  PopupMenu2 = resultMenu(this, QStringLiteral("N6"), QStringLiteral("谷歌网页查看"), &N6);
  connect(ListView1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(at)); });
  connect(ListView2, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu2->popup(ListView2->viewport()->mapToGlobal(at)); });

  auto* disabledBaidu = label(this, QStringLiteral("百度查询状态："), QRect(12, 490, 90, 20));
  disabledBaidu->setEnabled(false);
  sLabel8 = label(this, QString(), QRect(102, 490, 190, 20), true);
  sLabel8->setObjectName(QStringLiteral("sLabel8"));
  auto* disabledGoogle = label(this, QStringLiteral("谷歌查询状态："), QRect(300, 490, 90, 20));
  disabledGoogle->setEnabled(false);
  sLabel10 = label(this, QString(), QRect(390, 490, 190, 20), true);
  sLabel10->setObjectName(QStringLiteral("sLabel10"));

  auto command = [this](auto handler) {
    return [this, handler] { runCommand([this, handler] { (this->*handler)(); }); };
  };
  connect(sBitBtn1, &QPushButton::clicked, this, command(&TFrame_guanjianzichaxun::sBitBtn1Click));
  connect(sSpeedButton1, &QToolButton::clicked, this,
          command(&TFrame_guanjianzichaxun::sSpeedButton1Click));
  connect(N3, &QAction::triggered, this, command(&TFrame_guanjianzichaxun::N3Click));
  connect(N6, &QAction::triggered, this, command(&TFrame_guanjianzichaxun::N6Click));
  connect(sSpeedButton2, &QToolButton::clicked, this, [] {
    runCommand([] {
      if (appWindows().rankHistory) appWindows().rankHistory->exec();
    });
  });
}

void TFrame_guanjianzichaxun::FrameResize() {
  sComboBox3->setCurrentIndex(8);  // the item "10"
  runCommand([this] { addlist(*sComboBox1); });
}

namespace {

// Only digits and backspace can be typed into the end page; keys that type nothing (arrows,
// Delete, Home, End) move and delete as usual.
bool TypesIntoEndPage(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Delete) return true;
  const QString text = key.text();
  return text.isEmpty() || text == QStringLiteral("\b") ||
         (text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9'));
}

}  // namespace

bool TFrame_guanjianzichaxun::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == sComboBox3 || watched == sComboBox3->lineEdit()) &&
      event->type() == QEvent::KeyPress && !TypesIntoEndPage(*static_cast<QKeyEvent*>(event))) {
    return true;
  }
  if (watched == sComboBox1 && event->type() == QEvent::FocusOut) {
    // Leaving the picker for another control of the page loads the site's settings; its own
    // drop-down, a message box or another window taking the focus does not: the user has not
    // left the picker, and the settings would overwrite what he typed.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
      runCommand([this] { sComboBox1Exit(); });
  }
  return ToolPage::eventFilter(watched, event);
}

void TFrame_guanjianzichaxun::sComboBox1Exit() {
  AdoQuery& settings = DM().ADO_KeyWord;
  settings.Close();
  settings.SetSQL(QStringLiteral("select * from KeyWord_Info where Web=?"),
                  {sComboBox1->currentText()});
  settings.Open();
  if (settings.IsEmpty()) {
    sEdit1->clear();
    CheckBox1->setChecked(false);
    CheckBox2->setChecked(false);
    return;
  }
  settings.First();
  sEdit1->setText(settings.FieldByName(QStringLiteral("KeyWord")).AsString());
  CheckBox1->setChecked(settings.FieldByName(QStringLiteral("Baidu")).AsBoolean());
  CheckBox2->setChecked(settings.FieldByName(QStringLiteral("Google")).AsBoolean());
  const QString endPage = settings.FieldByName(QStringLiteral("EndPage")).AsString();
  if (!endPage.isEmpty()) sComboBox3->setEditText(endPage);
}

void TFrame_guanjianzichaxun::appendSettingsRow() {
  AdoQuery& settings = DM().ADO_KeyWord;
  settings.Close();
  settings.SetSQL(QStringLiteral("select * from KeyWord_Info"));
  settings.Open();
  settings.Append();
  settings.FieldByName(QStringLiteral("web")).SetAsString(sComboBox1->currentText());
  settings.FieldByName(QStringLiteral("KeyWord")).SetAsString(sEdit1->text());
  settings.FieldByName(QStringLiteral("Baidu")).SetAsBoolean(CheckBox1->isChecked());
  settings.FieldByName(QStringLiteral("Google")).SetAsBoolean(CheckBox2->isChecked());
  settings.FieldByName(QStringLiteral("BeginPage")).SetAsString(sComboBox2->currentText());
  settings.FieldByName(QStringLiteral("EndPage")).SetAsString(sComboBox3->currentText());
  settings.Post();
}

bool TFrame_guanjianzichaxun::siteAndKeywordGiven(const QString& emptyKeyword) {
  MessageService& messages = MessageService::instance();
  if (sComboBox1->currentText().isEmpty()) {
    messages.information(QStringLiteral("友情提示：网站地址不能为空！"), kCaption);
    sComboBox1->setFocus();
    return false;
  }
  if (sEdit1->text().isEmpty()) {
    messages.information(emptyKeyword, kCaption);
    sEdit1->setFocus();
    return false;
  }
  return true;
}

void TFrame_guanjianzichaxun::sBitBtn1Click() {
  ListView1->clear();
  ListView2->clear();
  if (!siteAndKeywordGiven(QStringLiteral("友情提示：关键字信息不能为空！"))) return;
  MessageService& messages = MessageService::instance();
  if (!CheckBox1->isChecked() && !CheckBox2->isChecked()) {
    messages.information(QStringLiteral("友情提示：您至少要选择一个搜索引擎！"), kCaption);
    return;
  }
  if (wholeNumber(sComboBox3->currentText()) < wholeNumber(sComboBox2->currentText())) {
    messages.information(QStringLiteral("友情提示：页数范围输入的不正确！"), kCaption);
    sComboBox3->setFocus();
    return;
  }
  appendSettingsRow();
  sSpeedButton1->setEnabled(true);
  const QStringList keywords = SplitKeywords(sEdit1->text());
  sBitBtn1->setEnabled(false);
  for (const QString& keyword : keywords) {
    if (CheckBox1->isChecked()) StartRankWalker(keyword, 1);
    if (CheckBox2->isChecked()) StartRankWalker(keyword, 2);
  }
  // Blanks only give no keyword and so no walker that could enable the button again.
  if (keywords.isEmpty()) sBitBtn1->setEnabled(true);
}

TFm_Search* TFrame_guanjianzichaxun::StartRankWalker(const QString& keyword, int engine) {
  auto* walker = new TFm_Search();
  walker->Engine = engine;
  walker->SiteAddress = sComboBox1->currentText();
  walker->Keyword = keyword;
  walker->PageCount = wholeNumber(sComboBox3->currentText());
  walker->StartButton = sBitBtn1;
  walker->BaiduList = ListView1;
  walker->GoogleList = ListView2;
  walker->GoogleStatus = sLabel10;
  walker->BaiduStatus = sLabel8;
  walker->StartWalk();
  return walker;
}

void TFrame_guanjianzichaxun::openResultPage(QTreeWidget* list, int engine) {
  // The first selected row in list order, as the list's selection reads.
  QTreeWidgetItem* row = nullptr;
  for (int i = 0; i < list->topLevelItemCount() && !row; ++i) {
    if (list->topLevelItem(i)->isSelected()) row = list->topLevelItem(i);
  }
  if (!row || row->text(0).isEmpty()) return;
  const std::string pageText = toGbk(row->text(2));
  const int page = wholeNumber(fromGbk(CopyBetweenMarkers(pageText, gbk("第"), gbk("页"))));
  const SearchEngine searchEngine = engine == 1 ? SearchEngine::Baidu : SearchEngine::Google;
  Desktop::openUrl(fromGbk(ResultAddress(searchEngine, toGbk(row->text(0)), page - 1)));
}

void TFrame_guanjianzichaxun::N3Click() { openResultPage(ListView1, 1); }

void TFrame_guanjianzichaxun::N6Click() { openResultPage(ListView2, 2); }

void TFrame_guanjianzichaxun::sSpeedButton1Click() {
  if (!siteAndKeywordGiven(QStringLiteral("友情提示：关键字内容不能为空！"))) return;
  TDM& dm = DM();
  {
    // The settings and every result row are stored together or not at all.
    Transaction transaction(dm.ADOC);
    appendSettingsRow();
    const QString site = sComboBox1->currentText();
    const QDateTime now = Clock::now();
    saveResultRows(dm.ADO_Key_Results, QStringLiteral("select * from Key_BDResults"), *ListView1,
                   {QStringLiteral("KeyText"), QStringLiteral("BaiduResults"),
                    QStringLiteral("BaiPage"), QStringLiteral("BaiDuDate")},
                   site, now);
    saveResultRows(
        dm.ADO_Key_GGResults, QStringLiteral("select * from Key_GGResults"), *ListView2,
        {QStringLiteral("KeyText"), QStringLiteral("GoogleResults"), QStringLiteral("GooglePage")},
        site, now);
    transaction.Commit();
  }
  MessageService::instance().information(QStringLiteral("查询设置及查询结果已成功保存到数据库中！"),
                                         QStringLiteral("保存成功"));
  sSpeedButton1->setEnabled(false);
}

}  // namespace tandor
