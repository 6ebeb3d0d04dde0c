#include "platform/Endpoints.h"

#include <QFile>
#include <QSettings>
#include <array>

#include "platform/Gbk.h"

namespace tandor {
namespace {

struct Entry {
  const char* key;
  const char* defaultHost;
};

constexpr std::array<Entry, static_cast<size_t>(Endpoint::Count)> kTable{{
    {"baidu", "www.baidu.com"},
    {"google", "www.google.cn"},
    {"google_china", "www.google.cn"},
    {"yahoo_siteexplorer", "sitemap.cn.yahoo.com"},
    {"alexa", "alexa.chinaz.com"},
    {"pagerank", "pr.links.cn"},
    {"whois", "whois.chinaz.com"},
    {"partner_pagerank", "pr.chinaz.com"},
    {"linkcheck", "link.chinaz.com"},
    {"keyword_index", "index.baidu.com"},
    {"recent_indexing", "tool.chinaz.com"},
    {"keyword_density", "tool.chinaz.com"},
    {"spider_view", "tool.chinaz.com"},
    {"maker_site", "www.orvell.com"},
    {"maker_forum", "bbs.orvell.com"},
}};

std::array<QString, kTable.size()>& hosts() {
  static std::array<QString, kTable.size()> value = [] {
    std::array<QString, kTable.size()> initial;
    for (size_t i = 0; i < kTable.size(); ++i) initial[i] = QString::fromLatin1(kTable[i].defaultHost);
    return initial;
  }();
  return value;
}

size_t index(Endpoint endpoint) { return static_cast<size_t>(endpoint); }

}  // namespace

const char* Endpoints::key(Endpoint endpoint) { return kTable[index(endpoint)].key; }

QString Endpoints::host(Endpoint endpoint) { return hosts()[index(endpoint)]; }

QString Endpoints::url(Endpoint endpoint, const QString& path, const QString& query) {
  QString address = QStringLiteral("http://") + host(endpoint) + path;
  if (!query.isEmpty()) address += QLatin1Char('?') + query;
  return address;
}

std::string Endpoints::urlGbk(Endpoint endpoint, const std::string& pathGbk,
                              const std::string& queryGbk) {
  std::string address = "http://" + toGbk(host(endpoint)) + pathGbk;
  if (!queryGbk.empty()) address += "?" + queryGbk;
  return address;
}

void Endpoints::load(const QString& iniPath) {
  if (!QFile::exists(iniPath)) return;
  QSettings ini(iniPath, QSettings::IniFormat);
  ini.beginGroup(QStringLiteral("hosts"));
  for (size_t i = 0; i < kTable.size(); ++i) {
    const QString value = ini.value(QString::fromLatin1(kTable[i].key)).toString().trimmed();
    if (!value.isEmpty()) hosts()[i] = value;
  }
}

void Endpoints::setHost(Endpoint endpoint, const QString& host) { hosts()[index(endpoint)] = host; }

void Endpoints::resetDefaults() {
  for (size_t i = 0; i < kTable.size(); ++i) hosts()[i] = QString::fromLatin1(kTable[i].defaultHost);
}

}  // namespace tandor
