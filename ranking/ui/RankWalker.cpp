#include "ranking/ui/RankWalker.h"

#include <QCoreApplication>
#include <stdexcept>

#include "pages/ui/ListForms.h"
#include "platform/Gbk.h"
#include "platform/MessageService.h"
#include "platform/PagePane.h"

#include <QWebEnginePage>

namespace tandor {

TFm_Search::TFm_Search(QObject* owner)
    : QObject(owner), WebBrowser1(new PagePane(this)), WebBrowser2(new PagePane(this)) {
  for (PagePane* pane : {WebBrowser1, WebBrowser2}) {
    pane->setSilent(true);
    pane->setRefuseNewWindows(true);
  }
  connect(WebBrowser1, &PagePane::DocumentComplete, this,
          [this] { runCommand([this] { WebBrowser1DocumentComplete(); }); });
  connect(WebBrowser2, &PagePane::DocumentComplete, this,
          [this] { runCommand([this] { WebBrowser2DocumentComplete(); }); });
}

TFm_Search::~TFm_Search() = default;

void TFm_Search::StartWalk() {
  keyword_ = toGbk(Keyword);
  site_ = toGbk(SiteAddress);
  // The walker stops with the page that started it: once one of its targets goes, it writes no
  // more and releases itself.
  for (QObject* target : std::initializer_list<QObject*>{BaiduList, GoogleList, StartButton,
                                                         BaiduStatus, GoogleStatus}) {
    if (target) connect(target, &QObject::destroyed, this, &TFm_Search::abandon);
  }
  FormShow();
}

void TFm_Search::FormShow() {
  if (Engine == 1) {
    BaiduPageIndex = 0;
    WebBrowser1->Navigate(BaiduResultAddress(keyword_, BaiduPageIndex));
  } else if (Engine == 2) {
    GooglePageIndex = 0;
    WebBrowser2->Navigate(GoogleResultAddress(keyword_, GooglePageIndex));
  }
}

bool TFm_Search::targetsAlive() const {
  return !ended_ && BaiduList && GoogleList && StartButton && BaiduStatus && GoogleStatus;
}

void TFm_Search::abandon() {
  if (ended_) return;
  ended_ = true;
  WebBrowser1->page()->triggerAction(QWebEnginePage::Stop);
  WebBrowser2->page()->triggerAction(QWebEnginePage::Stop);
  emit walkEnded();
  deleteLater();
}

void TFm_Search::endWalk() {
  ended_ = true;
  emit walkEnded();
  deleteLater();
}

void TFm_Search::enableStartButton() {
  if (StartButton) StartButton->setEnabled(true);
}

QTreeWidgetItem* TFm_Search::addRow(QTreeWidget* list, const QStringList& columns) {
  CurrentRow = new QTreeWidgetItem(list, columns);
  return CurrentRow;
}

void TFm_Search::WebBrowser1DocumentComplete() {
  if (Engine != 1 || !targetsAlive()) return;
  const std::string page = WebBrowser1->ReadDocumentMarkup();
  BaiduPageOutcome outcome;
  try {
    outcome = EvaluateBaiduPage(page, site_, BaiduPageIndex);
  } catch (const std::invalid_argument&) {
    // The position could not be read: the walk ends without a row, the page stays usable, and
    // the error goes to the general error box.
    enableStartButton();
    endWalk();
    throw;
  }
  if (outcome.kind == BaiduPageOutcome::PromotedSite) {
    MessageService::instance().information(
        QStringLiteral("您的站为百度推广站，程序拒绝检查百度推广站的排名！"), QStringLiteral("愤怒提示"));
    enableStartButton();
    endWalk();
    return;
  }
  if (outcome.kind == BaiduPageOutcome::Found) {
    addRow(BaiduList, {Keyword, fromGbk(outcome.rankText), fromGbk(outcome.pageText),
                       fromGbk(outcome.snapshotDate)});
    enableStartButton();
    BaiduStatus->setText(QStringLiteral("百度关键字查询完毕！"));
    del_listview(*BaiduList);
    endWalk();
    return;
  }

  BaiduStatus->setText(fromGbk(ProgressText(BaiduPageIndex)));
  ++BaiduPageIndex;
  QPointer<TFm_Search> self(this);
  QCoreApplication::processEvents();
  if (!self || !targetsAlive()) return;
  if (BaiduPageIndex < PageCount)
    WebBrowser1->Navigate(BaiduResultAddress(keyword_, BaiduPageIndex));
  QCoreApplication::processEvents();
  if (!self || !targetsAlive()) return;
  if (BaiduPageIndex == PageCount) {
    addRow(BaiduList, {Keyword, fromGbk(BaiduNotFoundText(PageCount)), QStringLiteral("--"),
                       QStringLiteral("--")});
    BaiduStatus->setText(QStringLiteral("百度关键字查询完毕，未查询到结果！"));
    enableStartButton();
    endWalk();
  }
}

void TFm_Search::WebBrowser2DocumentComplete() {
  if (Engine != 2 || !targetsAlive()) return;
  const std::string page = WebBrowser2->ReadDocumentMarkup();
  const GooglePageOutcome outcome = EvaluateGooglePage(page, site_, GooglePageIndex);
  if (outcome.found) {
    addRow(GoogleList, {Keyword, fromGbk(outcome.positionText), fromGbk(outcome.pageText)});
    enableStartButton();
    GoogleStatus->setText(QStringLiteral("谷歌关键字查询完毕！"));
    endWalk();
    return;
  }

  ++GooglePageIndex;
  GoogleStatus->setText(fromGbk(ProgressText(GooglePageIndex)));
  QPointer<TFm_Search> self(this);
  QCoreApplication::processEvents();
  if (!self || !targetsAlive()) return;
  if (GooglePageIndex < PageCount)
    WebBrowser2->Navigate(GoogleResultAddress(keyword_, GooglePageIndex));
  QCoreApplication::processEvents();
  if (!self || !targetsAlive()) return;
  if (GooglePageIndex == PageCount) {
    addRow(GoogleList,
           {Keyword, fromGbk(BaiduNotFoundText(PageCount)), QStringLiteral("--")});
    GoogleStatus->setText(QStringLiteral("谷歌关键字查询完毕，未查询到结果！"));
    enableStartButton();
    endWalk();
  }
}

}  // namespace tandor
