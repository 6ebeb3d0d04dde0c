#include "app/NavigationPanels.h"

#include <functional>

#include "platform/ui/Icons.h"
#include "app/MainForm.h"
#include "data/DatabaseBackup.h"
#include "platform/MessageService.h"

namespace tandor {
namespace {

QPushButton* navButton(QWidget* parent, const QString& name, int top, const QString& caption,
                       const QColor& colour, int width = 131) {
  auto* button = new QPushButton(tileIcon(colour, caption.left(1), 16), caption, parent);
  button->setObjectName(name);
  button->setGeometry(18, top, width, 25);
  button->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
  return button;
}

void onClick(QPushButton* button, std::function<void(TMainForm&)> command) {
  QObject::connect(button, &QPushButton::clicked, button, [command] {
    runCommand([&] {
      if (TMainForm* form = MainForm()) command(*form);
    });
  });
}

}  // namespace

TFramejibengongneng::TFramejibengongneng(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Framejibengongneng"));
  resize(171, 379);
  const QColor blue(0x15, 0x65, 0xc0);
  sBitBtn8 = navButton(this, QStringLiteral("sBitBtn8"), 26, QStringLiteral("关键字排名查询"), blue);
  sBitBtn1 = navButton(this, QStringLiteral("sBitBtn1"), 67, QStringLiteral("相关关键词查询"), blue);
  sBitBtn3 = navButton(this, QStringLiteral("sBitBtn3"), 110, QStringLiteral("网站信息综合查询"), blue);
  sBitBtn4 = navButton(this, QStringLiteral("sBitBtn4"), 153, QStringLiteral("友情链接批量检查"), blue);
  sBitBtn5 = navButton(this, QStringLiteral("sBitBtn5"), 196, QStringLiteral("百度最近收录查询"), blue);
  sBitBtn6 = navButton(this, QStringLiteral("sBitBtn6"), 240, QStringLiteral("模拟搜索引擎抓取"), blue);
  sBitBtn2 = navButton(this, QStringLiteral("sBitBtn2"), 282, QStringLiteral("对手网站综合分析"), blue);
  sBitBtn7 = navButton(this, QStringLiteral("sBitBtn7"), 326, QStringLiteral("网站关键词密度检测"), blue, 141);

  onClick(sBitBtn8, [](TMainForm& f) { f.OpenRankPage(f.sSpeedButton4); });
  onClick(sBitBtn1, [](TMainForm& f) { f.OpenRelatedKeywordsPage(); });
  onClick(sBitBtn3, [](TMainForm& f) { f.OpenOverviewPage(f.sSpeedButton3); });
  onClick(sBitBtn4, [](TMainForm& f) { f.OpenFriendLinkPage(); });
  onClick(sBitBtn5, [](TMainForm& f) { f.OpenRecentIndexingPage(); });
  onClick(sBitBtn6, [](TMainForm& f) { f.OpenSpiderViewPage(); });
  onClick(sBitBtn2, [](TMainForm& f) { f.OpenCompetitorPage(); });
  onClick(sBitBtn7, [](TMainForm& f) { f.OpenDensityPage(); });
}

TFrameShuJuCaiDan::TFrameShuJuCaiDan(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FrameShuJuCaiDan"));
  resize(171, 120);
  const QColor green(0x2e, 0x7d, 0x32);
  sBitBtn1 = navButton(this, QStringLiteral("sBitBtn1"), 26, QStringLiteral("数据库备份"), green);
  sBitBtn2 = navButton(this, QStringLiteral("sBitBtn2"), 67, QStringLiteral("数据库还原"), green);
  connect(sBitBtn1, &QPushButton::clicked, this, [] { DatabaseBackup(); });
  connect(sBitBtn2, &QPushButton::clicked, this, [] { DatabaseRestore(); });
}

}  // namespace tandor
