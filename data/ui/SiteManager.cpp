#include "data/ui/SiteManager.h"

#include <QMouseEvent>

#include "data/DataModule.h"
#include "pages/ui/ListForms.h"
#include "platform/MessageService.h"
#include "platform/ui/Icons.h"

namespace tandor {
namespace {

const QString kCaption = QStringLiteral("提示");

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& bounds) {
  auto* widget = new QLabel(text, parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(bounds);
  return widget;
}

}  // namespace

TFrm_WEB::TFrm_WEB(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Frm_WEB"));
  setWindowTitle(QStringLiteral("网站管理"));
  setFixedSize(610, 486);

  sLabelFX1 = label(this, "sLabelFX1", QStringLiteral("站点数据管理"), QRect(20, 12, 300, 30));
  QFont heading = sLabelFX1->font();
  heading.setPixelSize(20);
  heading.setBold(true);
  sLabelFX1->setFont(heading);
  sLabel1 = label(this, "sLabel1", QStringLiteral("网站名称："), QRect(20, 58, 72, 22));
  webname = new QLineEdit(this);
  webname->setObjectName(QStringLiteral("webname"));
  webname->setGeometry(92, 58, 180, 22);
  sLabel2 = label(this, "sLabel2", QStringLiteral("网站域名："), QRect(290, 58, 72, 22));
  weburl = new QLineEdit(this);
  weburl->setObjectName(QStringLiteral("weburl"));
  weburl->setGeometry(362, 58, 180, 22);
  Label1 = label(this, "Label1", QStringLiteral("域名前缀不需要加\"Http://\""), QRect(362, 84, 220, 18));
  Label1->setProperty("hint", true);
  Label1->setStyleSheet(QStringLiteral("color: gray;"));
  sBitBtn1 = new QPushButton(QStringLiteral("保存"), this);
  sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
  sBitBtn1->setGeometry(400, 108, 80, 28);
  sBitBtn2 = new QPushButton(QStringLiteral("删除"), this);
  sBitBtn2->setObjectName(QStringLiteral("sBitBtn2"));
  sBitBtn2->setGeometry(500, 108, 80, 28);
  sBitBtn2->setEnabled(false);
  ListView1 = new QListWidget(this);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setGeometry(20, 148, 570, 318);
  ListView1->setViewMode(QListView::IconMode);
  ListView1->setIconSize(QSize(32, 32));
  ListView1->setGridSize(QSize(96, 72));
  ListView1->setMovement(QListView::Static);
  ListView1->setResizeMode(QListView::Adjust);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->viewport()->installEventFilter(this);

  connect(sBitBtn1, &QPushButton::clicked, this, [this] { runCommand([this] { sBitBtn1Click(); }); });
  connect(sBitBtn2, &QPushButton::clicked, this, [this] { runCommand([this] { sBitBtn2Click(); }); });
  FormCreate();
}

void TFrm_WEB::FormCreate() {
  runCommand([this] { listshuaxin(); });
}

bool TFrm_WEB::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
    // A click on free space selects nothing; the click handler then starts a new entry.
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!ListView1->itemAt(mouse->position().toPoint())) ListView1->clearSelection();
    runCommand([this] { ListView1Click(); });
  }
  return QDialog::eventFilter(watched, event);
}

void TFrm_WEB::listshuaxin() {
  ListView1->clear();
  AdoQuery& web = DM().ADOWeb;
  web.Close();
  web.SetSQL(QStringLiteral("select * from web_info"));
  web.Open();
  const QIcon icon = tileIcon(QColor(0x15, 0x65, 0xc0), QStringLiteral("网"), 32);
  for (web.First(); !web.Eof(); web.Next()) {
    const QString name = web.FieldByName(QStringLiteral("Web_Name")).AsString();
    auto* item = new QListWidgetItem(icon, name, ListView1);
    item->setData(NameRole, name);
    item->setData(AddressRole, web.FieldByName(QStringLiteral("Web_Url")).AsString());
  }
  del_listview();
}

void TFrm_WEB::del_listview() { tandor::del_listview(*ListView1); }

bool TFrm_WEB::findSite(const QString& name) {
  AdoQuery& web = DM().ADOWeb;
  web.Close();
  web.SetSQL(QStringLiteral("select * from web_info where web_name=?"), {name});
  web.Open();
  return !web.IsEmpty();
}

void TFrm_WEB::startNewEntry() {
  webname->clear();
  weburl->clear();
  webname->setFocus();
  sBitBtn1->setEnabled(true);
  sBitBtn2->setEnabled(false);
}

void TFrm_WEB::sBitBtn1Click() {
  if (webname->text().isEmpty()) {
    MessageService::instance().information(QStringLiteral("对不起，网站名称不能为空！"), kCaption);
    webname->setFocus();
    return;
  }
  if (weburl->text().isEmpty()) {
    MessageService::instance().information(QStringLiteral("对不起，网站域名不能为空！"), kCaption);
    weburl->setFocus();
    return;
  }
  const QString name = webname->text().trimmed();
  if (findSite(name)) {
    MessageService::instance().information(QStringLiteral("对不起，该站点已存在！"), kCaption);
    return;
  }
  AdoQuery& web = DM().ADOWeb;
  web.Append();
  web.FieldByName(QStringLiteral("Web_Name")).SetAsString(name);
  web.FieldByName(QStringLiteral("Web_Url")).SetAsString(weburl->text().trimmed().toLower());
  web.Post();
  webname->clear();
  weburl->clear();
  webname->setFocus();
  listshuaxin();
}

void TFrm_WEB::ListView1Click() {
  QListWidgetItem* selected = ListView1->currentItem();
  if (selected && selected->isSelected()) {
    if (!findSite(selected->text())) return;
    AdoQuery& web = DM().ADOWeb;
    webname->setText(web.FieldByName(QStringLiteral("Web_Name")).AsString());
    weburl->setText(web.FieldByName(QStringLiteral("Web_Url")).AsString());
    sBitBtn2->setEnabled(true);
    sBitBtn1->setEnabled(false);
    return;
  }
  startNewEntry();
}

void TFrm_WEB::sBitBtn2Click() {
  QListWidgetItem* selected = ListView1->currentItem();
  if (!selected || !selected->isSelected()) {
    startNewEntry();
    return;
  }
  if (!findSite(selected->text())) return;
  if (MessageService::instance().question(QStringLiteral("您确定要删除当前网站信息吗？"),
                                          QStringLiteral("确认"), QuestionButtons::YesNo) != Answer::Yes)
    return;
  DM().ADOWeb.Delete();
  listshuaxin();
  startNewEntry();
}

}  // namespace tandor
