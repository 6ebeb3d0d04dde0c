#include "tests/support/SearchFixtures.h"

#include "platform/Gbk.h"
#include "ranking/RankRules.h"
#include "tests/support/GuiTestMain.h"

namespace tandor::testing {
namespace {

QByteArray page(const QString& title, const QString& body) {
  return (QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                         "charset=utf-8\"><title>") +
          title + QStringLiteral("</title></head><body>") + body +
          QStringLiteral("</body></html>"))
      .toUtf8();
}

QString baiduEntry(const QString& host, const QString& kind, const QString& position, int id) {
  return QStringLiteral(
             "<table class=\"result\" id=\"%4\"><tr><td class=f>"
             "<h3 class=\"t\"><a onmousedown=\"return c({'fm':'%2','title':this.innerHTML,"
             "'url':this.href,'p1':%3})\" href=\"http://%1/\" target=\"_blank\">%1 的首页</a></h3>"
             "<font size=-1>网站介绍文字……<br><font color=#008000>%1/ 12K 2008-5-%4 </font>- "
             "<a class=\"m\" href=\"http://cache.baidu.test/c?u=%1\">百度快照</a></font>"
             "</td></tr></table><br>")
      .arg(host, kind, position)
      .arg(id);
}

}  // namespace

QStringList otherHosts(int count, int from) {
  QStringList hosts;
  for (int i = 0; i < count; ++i) hosts << QStringLiteral("www.other%1.com").arg(from + i);
  return hosts;
}

QByteArray baiduResultPage(int promoted, const QStringList& naturalHosts, int firstPosition) {
  QString body = QStringLiteral("<div id=\"header\">百度一下</div>");
  for (int i = 0; i < promoted; ++i)
    body += baiduEntry(QStringLiteral("www.paid%1.com").arg(i + 1), QStringLiteral("pp"),
                       QStringLiteral("0})"), i + 1);
  int position = firstPosition;
  for (const QString& host : naturalHosts) {
    if (host.startsWith(QLatin1String("paid:"))) {
      body += baiduEntry(host.mid(5), QStringLiteral("pp"), QStringLiteral("0})"), 1);
    } else {
      body += baiduEntry(host, QStringLiteral("as"), QString::number(position) + ",'y':'A1'", position % 28 + 1);
      ++position;
    }
  }
  body += QStringLiteral("<div id=\"page\">下一页</div>");
  return page(QStringLiteral("百度搜索"), body);
}

QByteArray googleFirstPage(const QStringList& hosts) {
  QString body = QStringLiteral("<div id=res><ol>");
  int position = 1;
  for (const QString& host : hosts) {
    body += QStringLiteral(
                "<li class=g><h3 class=r><a href=\"http://%1/\" class=l "
                "onmousedown=\"return clk(0,'','','clnk','%2','')\">%1</a></h3>"
                "<div class=s>简介<br><cite>%1/ - 8k</cite></div></li>")
                .arg(host)
                .arg(position++);
  }
  body += QStringLiteral("</ol></div>");
  return page(QStringLiteral("Google 搜索"), body);
}

QByteArray googleLaterPage(const QStringList& hosts, int firstPosition, bool resForm) {
  QString body = QStringLiteral("<div id=res><ol>");
  int position = firstPosition;
  for (const QString& host : hosts) {
    body += QStringLiteral(
                "<li class=g><h3 class=r><a onmousedown=\"return clk(this.href,'','','%3','%2','')\" "
                "href=\"http://%1/\" class=l>%1</a></h3>"
                "<div class=s>简介<br><cite>%1/ - 8k</cite></div></li>")
                .arg(host)
                .arg(position++)
                .arg(resForm ? QStringLiteral("res") : QStringLiteral("clnk"));
  }
  body += QStringLiteral("</ol></div>");
  return page(QStringLiteral("Google 搜索"), body);
}

void serveBaiduPages(const QString& keyword, const QList<QByteArray>& pages) {
  for (int i = 0; i < pages.size(); ++i)
    fixtureWeb().addPage(fromGbk(BaiduResultAddress(toGbk(keyword), i)), pages[i]);
}

void serveGooglePages(const QString& keyword, const QList<QByteArray>& pages) {
  for (int i = 0; i < pages.size(); ++i)
    fixtureWeb().addPage(fromGbk(GoogleResultAddress(toGbk(keyword), i)), pages[i]);
}

}  // namespace tandor::testing
