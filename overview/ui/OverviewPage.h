#pragma once
// The site overview query page: for one site, and optionally one keyword, one start command sets
// twelve page panes loading at once (ten measures of the site and two keyword rank walks), shows
// each value as its page completes, and writes the site's row for today as soon as the nine
// storable values are present, rewriting it as later values arrive.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <array>
#include <string>
#include <string_view>

#include "app/ToolPage.h"
#include "overview/OverviewRankRules.h"
#include "overview/PendingOverview.h"
#include "overview/SiteMetrics.h"
#include "ranking/RankRules.h"

namespace tandor {

class PagePane;

// A label that acts as a link: underlined, a hand cursor, and a click signal.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  LinkLabel(const QString& text, QWidget* parent);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class TFramezonghechaxun : public ToolPage {
  Q_OBJECT
 public:
  explicit TFramezonghechaxun(QWidget* owner);
  ~TFramezonghechaxun() override;

  QLabel* sLabelFX1;           // 网站综合查询
  QComboBox* CWeb;             // site picker
  QLineEdit* Ekey;             // the keyword, optional
  QPushButton* sBitBtn1;       // 开始查询
  QToolButton* sSpeedButton3;  // " 数据对比"
  QToolButton* sSpeedButton2;  // " 打开历史记录"
  QLabel* Label3;              // hint
  QLineEdit* sEdit1;           // world rank
  QLineEdit* sEdit2;           // Baidu snapshot
  QLineEdit* sEdit3;           // domain creation date
  QLineEdit* sEdit4;           // Baidu keyword rank
  QLineEdit* sEdit5;           // Google keyword rank
  QLineEdit* sEdit6;           // indexed pages: Baidu, Google, Yahoo
  QLineEdit* sEdit7;
  QLineEdit* sEdit8;
  QLineEdit* sEdit9;  // inbound links: Baidu, Google, Yahoo
  QLineEdit* sEdit10;
  QLineEdit* sEdit11;
  QLineEdit* sEdit12;     // the last PageRank found, as cut (hidden)
  QLabel* Image1;         // PageRank picture
  LinkLabel* sWebLabel1;  // 查询失败,点击重查.
  QListWidget* ListBox1;  // working list of the Baidu walk (hidden)
  QListWidget* ListBox4;  // working list of the Google walk (hidden)

  PagePane* WebBrowser1;   // world rank
  PagePane* WebBrowser2;   // Baidu snapshot
  PagePane* WebBrowser3;   // PageRank
  PagePane* WebBrowser4;   // domain creation date
  PagePane* WebBrowser5;   // Baidu indexed pages
  PagePane* WebBrowser6;   // Google indexed pages
  PagePane* WebBrowser7;   // Yahoo indexed pages
  PagePane* WebBrowser8;   // Baidu inbound links
  PagePane* WebBrowser9;   // Google inbound links
  PagePane* WebBrowser10;  // Yahoo inbound links
  PagePane* WebBrowser11;  // Baidu keyword rank walk
  PagePane* WebBrowser12;  // Google keyword rank walk

  int BaiduPageIndex = 0;
  int GooglePageIndex = 0;

  void sBitBtn1Click();
  void shouluchaxun();
  void shujuduibi();
  void saveshuju();
  void sWebLabel1Click();
  void sSpeedButton3Click();
  void sSpeedButton2Click();
  void CWebChange();
  void CWebClick();

  void WebBrowser1DocumentComplete();
  void WebBrowser2DocumentComplete();
  void WebBrowser3DocumentComplete();
  void WebBrowser4DocumentComplete();
  void WebBrowser5DocumentComplete();
  void WebBrowser6DocumentComplete();
  void WebBrowser7DocumentComplete();
  void WebBrowser8DocumentComplete();
  void WebBrowser9DocumentComplete();
  void WebBrowser10DocumentComplete();
  void WebBrowser11DocumentComplete();
  void WebBrowser12DocumentComplete();

 protected:
  void FrameResize() override;

 private:
  // Lets queued events run; false when the page went away meanwhile.
  bool pumpMessages();
  void navigate(PagePane* pane, const std::string& address, const QString& site);
  // The site text a pane was sent for, GBK; its page's markers embed it.
  const std::string& siteOf(const PagePane* pane) const;
  // Whether the values of a pane's page may become pending values: only while the picker still
  // holds the site that the page was requested for, so a row never receives another site's value.
  bool feedsPending(const PagePane* pane) const;
  // A count pane: the edit shows the count text and the pending value becomes the same text.
  using CountExtractor = MetricValue (*)(std::string_view page, std::string_view site);
  void countComplete(PagePane* pane, QLineEdit* edit, QString PendingOverview::*value,
                     const CountExtractor& extract, bool pumpFirst);
  void showRank(QLineEdit* edit, const std::string& text);
  // After a result page of a keyword walk: shows the rank when found, otherwise the progress,
  // and loads the next page until the last one has been read.
  void continueWalk(const OverviewRankOutcome& outcome, SearchEngine engine, int& pageIndex,
                    PagePane* pane, QLineEdit* rankField);
  void showPageRankPicture(const QString& value);
  void clearPending();

  std::array<PagePane*, 12> panes_{};
  std::array<std::string, 12> paneSites_;  // GBK
  std::array<QString, 12> paneSiteTexts_;
  std::string walkSite_;     // GBK, the site of the rank walks
  std::string walkKeyword_;  // GBK, the keyword of the rank walks
};

}  // namespace tandor
