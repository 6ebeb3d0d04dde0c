#pragma once
// Search result pages as the engines wrote them, in ordinary HTML: the markers the rank rules
// look for appear in the pane's markup read once a browser has loaded them.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tandor::testing {

// A Baidu result page: `promoted` paid entries for other sites, then one natural entry per host,
// numbered from firstPosition. A host given as "paid:<host>" is a paid entry for that host.
QByteArray baiduResultPage(int promoted, const QStringList& naturalHosts, int firstPosition = 1);
// Google's first result page: one result per host, the link before its click handler.
QByteArray googleFirstPage(const QStringList& hosts);
// A later Google page: the click handler before the link, numbered from firstPosition, with the
// 'clnk' or the 'res' form of the handler.
QByteArray googleLaterPage(const QStringList& hosts, int firstPosition, bool resForm = false);
// Hosts "www.other<n>.com" for filling pages.
QStringList otherHosts(int count, int from = 1);

// Registers the result pages of one keyword with the fixture web: page i of the list is result
// page i + 1.
void serveBaiduPages(const QString& keyword, const QList<QByteArray>& pages);
void serveGooglePages(const QString& keyword, const QList<QByteArray>& pages);

}  // namespace tandor::testing
