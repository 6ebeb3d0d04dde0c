#include "app/AboutBox.h"

#include <QGroupBox>
#include <QLabel>

#include "platform/ui/Icons.h"
#include "platform/Desktop.h"
#include "platform/Endpoints.h"

namespace tandor {

TFrm_ABout::TFrm_ABout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Frm_ABout"));
  setWindowTitle(QStringLiteral("关于"));
  setFixedSize(385, 257);

  auto* banner = new QLabel(this);
  banner->setGeometry(0, 0, 385, 70);
  banner->setPixmap(aboutBanner(385, 70));

  auto* group = new QGroupBox(this);
  group->setGeometry(12, 80, 361, 120);
  auto* developer = new QLabel(QStringLiteral("开发者：Tandor 开发组"), group);
  developer->setGeometry(16, 16, 330, 20);
  auto* contact = new QLabel(QStringLiteral("联系电话：请见官方网站"), group);
  contact->setGeometry(16, 48, 330, 20);
  auto* site = new QLabel(QStringLiteral("官方网站："), group);
  site->setGeometry(16, 80, 70, 20);
  const QString address = Endpoints::url(Endpoint::MakerSite, QStringLiteral("/"));
  auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address), group);
  link->setObjectName(QStringLiteral("sWebLabel1"));
  link->setGeometry(86, 80, 260, 20);
  link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  connect(link, &QLabel::linkActivated, this, [](const QString& url) { Desktop::openUrl(url); });

  sBitBtn1 = new QPushButton(QStringLiteral("关闭"), this);
  sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
  sBitBtn1->setGeometry(150, 215, 85, 28);
  connect(sBitBtn1, &QPushButton::clicked, this, &QDialog::close);
}

}  // namespace tandor
