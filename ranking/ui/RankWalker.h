#pragma once
// The rank walker: finds where one site stands in one engine's results for one keyword. It
// loads result pages one after another in its pane and writes one row into the starting page's
// list when it finds the site or has looked through PageCount pages. It hosts its panes without
// any visible widget, releases itself when its walk ends, and stops, writing nothing, as soon as
// the page that started it is gone.
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <string>

#include "ranking/RankRules.h"

namespace tandor {

class PagePane;

class TFm_Search : public QObject {
  Q_OBJECT
 public:
  explicit TFm_Search(QObject* owner = nullptr);
  ~TFm_Search() override;

  // Set by the starting page before StartWalk.
  int Engine = 1;  // 1 = Baidu, 2 = Google
  QString Keyword;
  QString SiteAddress;
  int PageCount = 1;
  QPointer<QTreeWidget> BaiduList;
  QPointer<QTreeWidget> GoogleList;
  QPointer<QPushButton> StartButton;
  QPointer<QLabel> BaiduStatus;
  QPointer<QLabel> GoogleStatus;

  // Shows the walker (it has no visible part) and starts loading result page 1.
  void StartWalk();

  int BaiduPageIndex = 0;
  int GooglePageIndex = 0;
  QTreeWidgetItem* CurrentRow = nullptr;

  PagePane* WebBrowser1;  // Baidu
  PagePane* WebBrowser2;  // Google

  // Raised once when the walk has ended, whichever way.
 signals:
  void walkEnded();

 private:
  void FormShow();
  void WebBrowser1DocumentComplete();
  void WebBrowser2DocumentComplete();
  bool targetsAlive() const;
  void abandon();
  void endWalk();
  void enableStartButton();
  QTreeWidgetItem* addRow(QTreeWidget* list, const QStringList& columns);

  std::string keyword_;  // GBK
  std::string site_;     // GBK
  bool ended_ = false;
};

}  // namespace tandor
