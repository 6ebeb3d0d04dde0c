#pragma once
// The controls of a starting page that rank walkers write into, for tests and benchmarks that
// drive walkers without the rank query page.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QWidget>

#include "ranking/ui/RankWalker.h"

namespace tandor::testing {

struct WalkerTargets {
  QWidget page;
  QTreeWidget* baidu = new QTreeWidget(&page);
  QTreeWidget* google = new QTreeWidget(&page);
  QPushButton* start = new QPushButton(&page);
  QLabel* baiduStatus = new QLabel(&page);
  QLabel* googleStatus = new QLabel(&page);

  WalkerTargets() {
    baidu->setColumnCount(4);
    google->setColumnCount(3);
    start->setEnabled(false);
  }

  // A walker with its fields set, started.
  TFm_Search* walk(const QString& keyword, int engine, const QString& site, int pageCount) {
    auto* walker = new TFm_Search();
    walker->Engine = engine;
    walker->Keyword = keyword;
    walker->SiteAddress = site;
    walker->PageCount = pageCount;
    walker->BaiduList = baidu;
    walker->GoogleList = google;
    walker->StartButton = start;
    walker->BaiduStatus = baiduStatus;
    walker->GoogleStatus = googleStatus;
    QObject::connect(walker, &TFm_Search::walkEnded, &page, [this] { ++ended; });
    walker->StartWalk();
    return walker;
  }
  int ended = 0;
};

}  // namespace tandor::testing
