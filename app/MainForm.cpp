#include "app/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGraphicsOpacityEffect>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPropertyAnimation>
#include <QScreen>
#include <QToolButton>

#include "app/AppWindows.h"
#include "app/FrameMain.h"
#include "app/NavigationPanels.h"
#include "data/DataModule.h"
#include "data/DatabaseBackup.h"
#include "platform/AppPaths.h"
#include "platform/Desktop.h"
#include "platform/Endpoints.h"
#include "platform/MessageService.h"
#include "platform/ui/FrameBar.h"
#include "platform/ui/Icons.h"

namespace tandor {
namespace {

TMainForm* gMainForm = nullptr;

constexpr int kClientWidth = 813;
constexpr int kClientHeight = 588;

// The statement that makes the overview table when a database lacks it.
const char* const kCreateZongHeChaXun =
    "create table ZongHeChaXun( ID COUNTER,Web VARCHAR(20),PR VARCHAR(20)\n"
    ",Baidukuaizhao VARCHAR(20),shijiepaiming VARCHAR(20),Baidushoulu VARCHAR(20)\n"
    ",Gugeshoulu VARCHAR(20),Yahushoulu VARCHAR(20),BaiduFanlian VARCHAR(20),GugeFanlian "
    "VARCHAR(20),YahuFanlian VARCHAR(20),CDate DATETIME)";

void showModally(QDialog* dialog) {
  if (dialog) dialog->exec();
}

}  // namespace

AppWindows& appWindows() {
  static AppWindows windows;
  return windows;
}

TMainForm* MainForm() { return gMainForm; }

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent), client_(new QWidget(this)) {
  gMainForm = this;
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("TandorV1.6"));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  QFont font(QStringLiteral("SimSun"));
  font.setPixelSize(12);
  font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Zen Hei")});
  setFont(font);
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client_);

  ActionOverView = new QAction(QStringLiteral("ActionOverView"), this);
  ActionOverView->setObjectName(QStringLiteral("ActionOverView"));
  connect(ActionOverView, &QAction::triggered, this,
          [this] { runCommand([this] { ActionOverViewExecute(); }); });

  buildToolBar();
  buildMenu();
  buildFrameBar();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desktop = screen->availableGeometry();
    move(desktop.center() - QPoint(width() / 2, height() / 2));
  }
}

TMainForm::~TMainForm() {
  if (gMainForm == this) gMainForm = nullptr;
}

QToolButton* TMainForm::addToolButton(const QString& name, const QString& caption, int left,
                                      bool enabled, const QIcon& icon) {
  auto* button = new QToolButton(sCoolBar1);
  button->setObjectName(name);
  button->setText(caption);
  button->setIcon(icon);
  button->setIconSize(QSize(32, 32));
  button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  button->setAutoRaise(true);
  button->setGeometry(left, 7, 111, 44);
  button->setEnabled(enabled);
  return button;
}

void TMainForm::addSeparator(int left) {
  auto* separator = new QToolButton(sCoolBar1);
  separator->setObjectName(QStringLiteral("separator%1").arg(left));
  separator->setEnabled(false);
  separator->setAutoRaise(true);
  separator->setText(QStringLiteral("|"));
  separator->setGeometry(left, 6, 9, 47);
}

void TMainForm::buildToolBar() {
  sCoolBar1 = new QWidget(client_);
  sCoolBar1->setObjectName(QStringLiteral("sCoolBar1"));
  sCoolBar1->setGeometry(2, 0, 813, 59);
  addSeparator(12);
  sSpeedButton2 = addToolButton(QStringLiteral("sSpeedButton2"), QStringLiteral("站点管理"), 30,
                                true, tileIcon(QColor(0x2e, 0x7d, 0x32), QStringLiteral("站")));
  addSeparator(152);
  sSpeedButton3 = addToolButton(QStringLiteral("sSpeedButton3"), QStringLiteral("综合查询"), 170,
                                false, tileIcon(QColor(0x15, 0x65, 0xc0), QStringLiteral("综")));
  sSpeedButton4 = addToolButton(QStringLiteral("sSpeedButton4"), QStringLiteral("排名查询"), 289,
                                false, tileIcon(QColor(0xef, 0x6c, 0x00), QStringLiteral("排")));
  addSeparator(414);
  sSpeedButton6 = addToolButton(QStringLiteral("sSpeedButton6"), QStringLiteral("关于工具"), 434,
                                true, tileIcon(QColor(0x6a, 0x1b, 0x9a), QStringLiteral("关")));
  sSpeedButton7 = addToolButton(QStringLiteral("sSpeedButton7"), QStringLiteral("关闭软件"), 554,
                                true, tileIcon(QColor(0xc6, 0x28, 0x28), QStringLiteral("×")));

  connect(sSpeedButton2, &QToolButton::clicked, this, [this] { openSiteManager(); });
  connect(sSpeedButton3, &QToolButton::clicked, this,
          [this] { runCommand([this] { OpenOverviewPage(); }); });
  connect(sSpeedButton4, &QToolButton::clicked, this,
          [this] { runCommand([this] { OpenRankPage(); }); });
  connect(sSpeedButton6, &QToolButton::clicked, this, [this] { openAboutBox(); });
  connect(sSpeedButton7, &QToolButton::clicked, this, &QWidget::close);
}

QAction* TMainForm::addMenuItem(QMenu* menu, const QString& name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  return action;
}

void TMainForm::addMenuSeparator(QMenu* menu, const QString& name) {
  menu->addSeparator()->setObjectName(name);
}

QAction* TMainForm::menuItem(const QString& name) const {
  return MainMenu1->findChild<QAction*>(name);
}

void TMainForm::buildMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

  QMenu* n1 = MainMenu1->addMenu(QStringLiteral("数据库管理"));
  n1->setObjectName(QStringLiteral("N1"));
  n1->menuAction()->setObjectName(QStringLiteral("N1"));
  QAction* n4 = addMenuItem(n1, QStringLiteral("N4"), QStringLiteral("数据库备份"));
  addMenuSeparator(n1, QStringLiteral("N5"));
  QAction* n6 = addMenuItem(n1, QStringLiteral("N6"), QStringLiteral("数据库还原"));
  addMenuSeparator(n1, QStringLiteral("N7"));
  QAction* n8 = addMenuItem(n1, QStringLiteral("N8"), QStringLiteral("退出"));

  QMenu* n2 = MainMenu1->addMenu(QStringLiteral("功能列表"));
  n2->setObjectName(QStringLiteral("N2"));
  n2->menuAction()->setObjectName(QStringLiteral("N2"));
  QAction* n20 = addMenuItem(n2, QStringLiteral("N20"), QStringLiteral("站点管理"));
  addMenuSeparator(n2, QStringLiteral("N21"));
  addMenuItem(n2, QStringLiteral("N16"), QStringLiteral("查询功能"))->setEnabled(false);
  addMenuSeparator(n2, QStringLiteral("N17"));
  QAction* n9 = addMenuItem(n2, QStringLiteral("N9"), QStringLiteral("关键字排名查询"));
  addMenuItem(n2, QStringLiteral("N10"), QStringLiteral("相关关键词查询"));
  QAction* n11 = addMenuItem(n2, QStringLiteral("N11"), QStringLiteral("网站信息综合查询"));
  addMenuItem(n2, QStringLiteral("N12"), QStringLiteral("友情链接批量检查"));
  addMenuItem(n2, QStringLiteral("N13"), QStringLiteral("百度最近收录查询"));
  addMenuItem(n2, QStringLiteral("N14"), QStringLiteral("模拟搜索引擎抓取"));
  addMenuItem(n2, QStringLiteral("N15"), QStringLiteral("关键词密度检测"));

  QMenu* n3 = MainMenu1->addMenu(QStringLiteral("关于"));
  n3->setObjectName(QStringLiteral("N3"));
  n3->menuAction()->setObjectName(QStringLiteral("N3"));
  QAction* seo1 = addMenuItem(n3, QStringLiteral("SEO1"), QStringLiteral("关于Tandor"));
  addMenuSeparator(n3, QStringLiteral("N18"));
  QAction* seo2 = addMenuItem(n3, QStringLiteral("SEO2"), QStringLiteral("Orvell"));
  addMenuSeparator(n3, QStringLiteral("N19"));
  QAction* seo3 = addMenuItem(n3, QStringLiteral("SEO3"), QStringLiteral("SEO论坛"));

  connect(n4, &QAction::triggered, this, [] { DatabaseBackup(); });
  connect(n6, &QAction::triggered, this, [] { DatabaseRestore(); });
  connect(n8, &QAction::triggered, this, &QWidget::close);
  connect(n20, &QAction::triggered, this, [this] { openSiteManager(); });
  connect(n9, &QAction::triggered, this, [this] { runCommand([this] { OpenRankPage(); }); });
  connect(n11, &QAction::triggered, this, [this] { runCommand([this] { OpenOverviewPage(); }); });
  connect(seo1, &QAction::triggered, this, [this] { openAboutBox(); });
  connect(seo2, &QAction::triggered, this,
          [] { Desktop::openUrl(Endpoints::url(Endpoint::MakerSite, QStringLiteral("/"))); });
  connect(seo3, &QAction::triggered, this,
          [] { Desktop::openUrl(Endpoints::url(Endpoint::MakerForum, QStringLiteral("/"))); });
}

void TMainForm::buildFrameBar() {
  sFrameBar1 = new FrameBar(client_);
  sFrameBar1->setObjectName(QStringLiteral("sFrameBar1"));
  sFrameBar1->setGeometry(2, 64, 193, 521);
  sFrameBar1->setTitleHeight(40);
  sFrameBar1->addItem(QStringLiteral("查询功能"),
                      tileIcon(QColor(0x15, 0x65, 0xc0), QStringLiteral("查"), 24),
                      [] { return new TFramejibengongneng(); });
  sFrameBar1->addItem(QStringLiteral("数据管理"),
                      tileIcon(QColor(0x2e, 0x7d, 0x32), QStringLiteral("数"), 24),
                      [] { return new TFrameShuJuCaiDan(); });
}

void TMainForm::openSiteManager() {
  runCommand([] { showModally(appWindows().siteManager); });
}

void TMainForm::openAboutBox() {
  runCommand([] { showModally(appWindows().aboutBox); });
}

void TMainForm::ShowToolPage() {
  ToolPage* page = CurrentToolPage;
  if (!page) return;
  page->hide();
  page->setParent(client_);
  const QRect bar = sFrameBar1->geometry();
  page->setGeometry(bar.left() + bar.width() + 8, bar.top(), bar.width() - bar.left() + 410,
                    bar.height());
  if (PreviousToolPage) {
    delete PreviousToolPage.data();
    PreviousToolPage = nullptr;
    QCoreApplication::processEvents();
  }
  // While events ran the page may have gone, or a newer switch may have replaced it (and
  // shown its own page): this switch has nothing left to show.
  if (CurrentToolPage.data() != page) return;
  if (!ActionOverView->isEnabled()) ActionOverView->setEnabled(true);
  if (!FirstShowInProgress) {
    fadeIn(page);
  } else {
    page->show();
    page->update();
  }
}

void TMainForm::fadeIn(QWidget* page) {
  auto* effect = new QGraphicsOpacityEffect(page);
  effect->setOpacity(0.0);
  page->setGraphicsEffect(effect);
  page->show();
  fade_ = new QPropertyAnimation(effect, "opacity", page);
  fade_->setDuration(100);
  fade_->setStartValue(0.0);
  fade_->setEndValue(1.0);
  QPointer<QWidget> guard(page);
  // The effect goes once the page is fully shown, so that the browser panes on it paint directly.
  connect(fade_, &QPropertyAnimation::finished, page, [guard] {
    if (guard) guard->setGraphicsEffect(nullptr);
  });
  fade_->start(QAbstractAnimation::DeleteWhenStopped);
}

bool TMainForm::fadingIn() const { return fade_ && fade_->state() == QAbstractAnimation::Running; }

void TMainForm::ActionOverViewExecute() {
  if (CurrentToolPage) PreviousToolPage = CurrentToolPage;
  CurrentToolPage = new TFrameMain(this);
  ShowToolPage();
  ActionOverView->setEnabled(false);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainForm::FormShow() {
  runCommand([] {
    TDM& dm = DM();
    // Already connected to the database beside the executable: reconnecting would only close
    // every open result set (the rank history's among them) and leave its grids empty.
    const QString path = AppPaths::databasePath();
    if (dm.ADOC.Connected() && dm.ADOC.DatabasePath() == path && QFileInfo::exists(path)) return;
    dm.ADOC.Close();
    dm.ADOC.SetDatabasePath(path);
    dm.ADOC.Open();
  });
  if (FirstShowDone) return;
  FirstShowInProgress = true;
  FirstShowDone = true;
  runCommand([this] { ActionOverViewExecute(); });
  sFrameBar1->openItem(0);
  FirstShowInProgress = false;
  runCommand([] {
    TDM& dm = DM();
    const QStringList tables = dm.ADOC.TableNames();
    if (tables.contains(QStringLiteral("ZongHeChaXun"), Qt::CaseInsensitive)) return;
    dm.ADOQuery1.Close();
    dm.ADOQuery1.SetSQL(QString::fromUtf8(kCreateZongHeChaXun));
    dm.ADOQuery1.ExecSQL();
  });
}

void TMainForm::FormClose() {
  runCommand([] {
    TDM& dm = DM();
    dm.ADOC.Close();
    dm.ADO_KeyWord.Close();
    dm.ADO_Key_Results.Close();
    dm.ADO_Key_GGResults.Close();
    dm.ADOWeb.Close();
  });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  QCoreApplication::quit();
}

}  // namespace tandor
