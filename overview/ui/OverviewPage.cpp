#include "overview/ui/OverviewPage.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>
#include <QWebEnginePage>

#include "data/ui/SitePicker.h"
#include "overview/OverviewRankRules.h"
#include "overview/OverviewStore.h"
#include "overview/SiteMetrics.h"
#include "pages/TextHelpers.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/Gbk.h"
#include "platform/MessageService.h"
#include "platform/PagePane.h"
#include "ranking/RankRules.h"

namespace tandor {
namespace {

const char* const kPromotedMarker = "fm':'pp','title':";

QLabel* label(QWidget* parent, const QString& text, const QRect& bounds, bool grey = false) {
  auto* widget = new QLabel(text, parent);
  widget->setGeometry(bounds);
  if (grey) widget->setStyleSheet(QStringLiteral("color: gray;"));
  return widget;
}

QLineEdit* edit(QWidget* parent, const char* name, const QRect& bounds, bool readOnly) {
  auto* widget = new QLineEdit(parent);
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(bounds);
  widget->setReadOnly(readOnly);
  return widget;
}

QToolButton* flatButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& bounds) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(caption);
  button->setAutoRaise(true);
  button->setGeometry(bounds);
  return button;
}

QGroupBox* group(QWidget* parent, const QString& title, const QRect& bounds) {
  auto* box = new QGroupBox(title, parent);
  box->setGeometry(bounds);
  return box;
}

}  // namespace

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit clicked();
}

TFramezonghechaxun::TFramezonghechaxun(QWidget* owner) : ToolPage(owner) {
  setObjectName(QStringLiteral("Framezonghechaxun"));
  resize(595, 518);

  sLabelFX1 = label(this, QStringLiteral("网站综合查询"), QRect(12, 6, 300, 26));
  sLabelFX1->setObjectName(QStringLiteral("sLabelFX1"));
  QFont heading = sLabelFX1->font();
  heading.setPixelSize(18);
  heading.setBold(true);
  sLabelFX1->setFont(heading);

  label(this, QStringLiteral("请输入您的网址："), QRect(12, 42, 110, 22));
  CWeb = new QComboBox(this);
  CWeb->setObjectName(QStringLiteral("CWeb"));
  CWeb->setGeometry(122, 42, 220, 22);
  preparePicker(*CWeb);
  label(this, QStringLiteral("请输入单个关键字："), QRect(12, 72, 110, 22));
  Ekey = edit(this, "Ekey", QRect(122, 72, 220, 22), false);

  sBitBtn1 = new QPushButton(QStringLiteral("开始查询"), this);
  sBitBtn1->setObjectName(QStringLiteral("sBitBtn1"));
  sBitBtn1->setGeometry(360, 42, 100, 52);
  sSpeedButton3 =
      flatButton(this, "sSpeedButton3", QStringLiteral(" 数据对比"), QRect(470, 42, 115, 24));
  sSpeedButton3->setEnabled(false);
  sSpeedButton2 =
      flatButton(this, "sSpeedButton2", QStringLiteral(" 打开历史记录"), QRect(470, 70, 115, 24));
  Label3 = label(this, QStringLiteral("友情提示：程序会自动保存您查询的结果。"),
                 QRect(12, 102, 575, 20), true);
  Label3->setObjectName(QStringLiteral("Label3"));

  // The six counts: a row of indexed pages and a row of inbound links, one column per engine.
  QGroupBox* counts = group(this, QStringLiteral("网站收录查询"), QRect(12, 128, 575, 110));
  const char* const columns[] = {"百度收录", "谷歌收录", "雅虎收录"};
  for (int c = 0; c < 3; ++c)
    label(counts, QString::fromUtf8(columns[c]), QRect(90 + c * 160, 20, 150, 18));
  label(counts, QStringLiteral("收录数量："), QRect(10, 44, 80, 22));
  label(counts, QStringLiteral("反链数量："), QRect(10, 76, 80, 22));
  sEdit6 = edit(counts, "sEdit6", QRect(90, 44, 150, 22), true);
  sEdit7 = edit(counts, "sEdit7", QRect(250, 44, 150, 22), true);
  sEdit8 = edit(counts, "sEdit8", QRect(410, 44, 150, 22), true);
  sEdit9 = edit(counts, "sEdit9", QRect(90, 76, 150, 22), true);
  sEdit10 = edit(counts, "sEdit10", QRect(250, 76, 150, 22), true);
  sEdit11 = edit(counts, "sEdit11", QRect(410, 76, 150, 22), true);

  // PageRank, snapshot, domain date and world rank.
  QGroupBox* measures = group(this, QString(), QRect(12, 246, 575, 110));
  label(measures, QStringLiteral("PR值："), QRect(10, 16, 80, 22));
  Image1 = new QLabel(measures);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(90, 16, 180, 22);
  sWebLabel1 = new LinkLabel(QStringLiteral("查询失败,点击重查."), measures);
  sWebLabel1->setObjectName(QStringLiteral("sWebLabel1"));
  sWebLabel1->setGeometry(90, 16, 180, 22);
  sWebLabel1->hide();
  label(measures, QStringLiteral(" 百度快照："), QRect(290, 16, 80, 22));
  sEdit2 = edit(measures, "sEdit2", QRect(370, 16, 190, 22), true);
  label(measures, QStringLiteral("域名日期："), QRect(10, 48, 80, 22));
  sEdit3 = edit(measures, "sEdit3", QRect(90, 48, 180, 22), true);
  label(measures, QStringLiteral("世界排名："), QRect(290, 48, 80, 22));
  sEdit1 = edit(measures, "sEdit1", QRect(370, 48, 190, 22), false);
  sEdit12 = edit(measures, "sEdit12", QRect(10, 80, 60, 22), true);
  sEdit12->hide();

  QGroupBox* ranks = group(this, QStringLiteral("关键字排名"), QRect(12, 364, 575, 80));
  label(ranks, QStringLiteral("百度排名："), QRect(10, 20, 80, 22));
  sEdit4 = edit(ranks, "sEdit4", QRect(90, 20, 470, 22), false);
  label(ranks, QStringLiteral("谷歌排名："), QRect(10, 48, 80, 22));
  sEdit5 = edit(ranks, "sEdit5", QRect(90, 48, 470, 22), false);

  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName(QStringLiteral("ListBox1"));
  ListBox1->hide();
  ListBox4 = new QListWidget(this);
  ListBox4->setObjectName(QStringLiteral("ListBox4"));
  ListBox4->hide();

  // The panes have no visible part. Panes 1 to 10 show no dialog of their pages and refuse new
  // windows; the two rank walks only show no dialog.
  PagePane** named[] = {&WebBrowser1, &WebBrowser2,  &WebBrowser3,  &WebBrowser4,
                        &WebBrowser5, &WebBrowser6,  &WebBrowser7,  &WebBrowser8,
                        &WebBrowser9, &WebBrowser10, &WebBrowser11, &WebBrowser12};
  void (TFramezonghechaxun::*handlers[])() = {&TFramezonghechaxun::WebBrowser1DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser2DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser3DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser4DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser5DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser6DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser7DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser8DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser9DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser10DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser11DocumentComplete,
                                              &TFramezonghechaxun::WebBrowser12DocumentComplete};
  for (size_t i = 0; i < panes_.size(); ++i) {
    auto* pane = new PagePane(this);
    pane->setObjectName(QStringLiteral("WebBrowser%1").arg(i + 1));
    pane->setSilent(true);
    pane->setRefuseNewWindows(i < 10);
    *named[i] = pane;
    panes_[i] = pane;
    const auto handler = handlers[i];
    connect(pane, &PagePane::DocumentComplete, this,
            [this, handler] { runCommand([this, handler] { (this->*handler)(); }); });
  }

  auto command = [this](void (TFramezonghechaxun::*handler)()) {
    return [this, handler] { runCommand([this, handler] { (this->*handler)(); }); };
  };
  connect(sBitBtn1, &QPushButton::clicked, this, command(&TFramezonghechaxun::sBitBtn1Click));
  connect(sSpeedButton3, &QToolButton::clicked, this,
          command(&TFramezonghechaxun::sSpeedButton3Click));
  connect(sSpeedButton2, &QToolButton::clicked, this,
          command(&TFramezonghechaxun::sSpeedButton2Click));
  connect(sWebLabel1, &LinkLabel::clicked, this, command(&TFramezonghechaxun::sWebLabel1Click));
  // Only the user's own edits and choices count: the picker's refill keeps its text silently.
  connect(CWeb->lineEdit(), &QLineEdit::textEdited, this, command(&TFramezonghechaxun::CWebChange));
  connect(CWeb, &QComboBox::activated, this, command(&TFramezonghechaxun::CWebClick));
}

TFramezonghechaxun::~TFramezonghechaxun() {
  // The page's loads and walks end with it. A pane may be in the middle of reporting its
  // completion (the page can go while a handler lets events run), so the panes are stopped,
  // cut off from the page and released once control is back in the event loop.
  for (PagePane* pane : panes_) {
    disconnect(pane, nullptr, this, nullptr);
    pane->page()->triggerAction(QWebEnginePage::Stop);
    pane->setParent(nullptr);
    pane->deleteLater();
  }
}

void TFramezonghechaxun::FrameResize() {
  runCommand([this] { addlist(*CWeb); });
}

bool TFramezonghechaxun::pumpMessages() {
  QPointer<TFramezonghechaxun> self(this);
  QCoreApplication::processEvents();
  return !self.isNull();
}

void TFramezonghechaxun::navigate(PagePane* pane, const std::string& address, const QString& site) {
  for (size_t i = 0; i < panes_.size(); ++i) {
    if (panes_[i] != pane) continue;
    paneSites_[i] = toGbk(site);
    paneSiteTexts_[i] = site;
  }
  pane->Navigate(address);
}

const std::string& TFramezonghechaxun::siteOf(const PagePane* pane) const {
  for (size_t i = 0; i < panes_.size(); ++i) {
    if (panes_[i] == pane) return paneSites_[i];
  }
  static const std::string none;
  return none;
}

bool TFramezonghechaxun::feedsPending(const PagePane* pane) const {
  for (size_t i = 0; i < panes_.size(); ++i) {
    if (panes_[i] == pane) return paneSiteTexts_[i] == CWeb->currentText();
  }
  return false;
}

void TFramezonghechaxun::sBitBtn1Click() {
  if (CWeb->currentText().isEmpty()) {
    MessageService::instance().information(QStringLiteral("对不起，网站域名不能为空！"),
                                           QStringLiteral("提示"));
    CWeb->setFocus();
    return;
  }
  const QString site = CWeb->currentText();
  const std::string siteGbk = toGbk(site);
  shouluchaxun();
  for (QLineEdit* waiting : {sEdit2, sEdit1, sEdit3}) waiting->setText(QStringLiteral("查询中..."));

  if (const std::optional<std::string> whois = CreationDateRequest(siteGbk)) {
    navigate(WebBrowser4, *whois, site);
    if (!pumpMessages()) return;
  } else {
    sEdit3->setText(QStringLiteral("查询失败."));
  }
  navigate(WebBrowser1, WorldRankRequest(siteGbk), site);
  if (!pumpMessages()) return;
  navigate(WebBrowser2, BaiduSnapshotRequest(siteGbk), site);
  if (!pumpMessages()) return;
  navigate(WebBrowser3, PageRankRequest(siteGbk), site);
  if (!pumpMessages()) return;

  if (!Ekey->text().isEmpty()) {
    walkSite_ = siteGbk;
    walkKeyword_ = toGbk(Ekey->text());
    BaiduPageIndex = 0;
    WebBrowser11->Navigate(BaiduResultAddress(walkKeyword_, BaiduPageIndex));
    GooglePageIndex = 0;
    WebBrowser12->Navigate(GoogleResultAddress(walkKeyword_, GooglePageIndex));
  } else {
    sEdit4->setText(QStringLiteral("未输入关键字！"));
    sEdit5->setText(QStringLiteral("未输入关键字！"));
  }
}

void TFramezonghechaxun::shouluchaxun() {
  const QString site = CWeb->currentText();
  const std::string siteGbk = toGbk(site);
  navigate(WebBrowser5, BaiduSiteCountRequest(siteGbk), site);
  navigate(WebBrowser6, GoogleSiteCountRequest(siteGbk), site);
  navigate(WebBrowser7, YahooPageCountRequest(siteGbk), site);
  navigate(WebBrowser8, BaiduDomainCountRequest(siteGbk), site);
  navigate(WebBrowser9, GoogleLinkCountRequest(siteGbk), site);
  navigate(WebBrowser10, YahooLinkCountRequest(siteGbk), site);
  for (QLineEdit* count : {sEdit6, sEdit7, sEdit8, sEdit9, sEdit10, sEdit11})
    count->setText(QStringLiteral("数据查询中."));
}

void TFramezonghechaxun::shujuduibi() {
  if (PendingOverviewValues().complete()) {
    sSpeedButton3->setEnabled(true);
    saveshuju();
  } else {
    sSpeedButton3->setEnabled(false);
  }
}

void TFramezonghechaxun::saveshuju() {
  // The row is written only while the comparison is available, that is, with all nine values.
  if (!sSpeedButton3->isEnabled()) return;
  SaveOverviewRow(CWeb->currentText(), PendingOverviewValues(), Clock::today());
}

void TFramezonghechaxun::clearPending() {
  PendingOverviewValues().clear();
  sSpeedButton3->setEnabled(false);
}

void TFramezonghechaxun::CWebChange() { clearPending(); }

void TFramezonghechaxun::CWebClick() { clearPending(); }

void TFramezonghechaxun::sSpeedButton3Click() {
  // The comparison with a stored day opens from here once it is part of the program; the
  // current values are saved first.
  saveshuju();
}

void TFramezonghechaxun::sSpeedButton2Click() {
  // Opens the overview history once it is part of the program.
}

void TFramezonghechaxun::sWebLabel1Click() {
  const QString site = CWeb->currentText();
  navigate(WebBrowser3, PageRankRetryRequest(toGbk(site)), site);
  pumpMessages();
}

void TFramezonghechaxun::WebBrowser1DocumentComplete() {
  const MetricValue rank = ExtractWorldRank(WebBrowser1->ReadBodyText());
  sEdit1->setText(fromGbk(rank.text));
  if (rank.found && feedsPending(WebBrowser1))
    PendingOverviewValues().shijiepaiming = fromGbk(rank.text);
  shujuduibi();
}

void TFramezonghechaxun::WebBrowser2DocumentComplete() {
  const SnapshotValue snapshot =
      ExtractBaiduSnapshot(WebBrowser2->ReadDocumentText(), siteOf(WebBrowser2));
  sEdit2->setText(fromGbk(snapshot.display));
  if (feedsPending(WebBrowser2)) PendingOverviewValues().baidukuaizhao = fromGbk(snapshot.stored);
  if (!pumpMessages()) return;
  shujuduibi();
}

void TFramezonghechaxun::WebBrowser3DocumentComplete() {
  const MetricValue pageRank = ExtractPageRank(WebBrowser3->ReadDocumentText());
  if (pageRank.found) {
    sWebLabel1->hide();
    Image1->show();
    const QString value = fromGbk(pageRank.text);
    sEdit12->setText(value);
    if (feedsPending(WebBrowser3)) PendingOverviewValues().pr = value;
    showPageRankPicture(fromGbk(Trim(pageRank.text)));
  } else {
    sWebLabel1->show();
    Image1->hide();
  }
  shujuduibi();
  pumpMessages();
}

void TFramezonghechaxun::showPageRankPicture(const QString& value) {
  // The value comes from an outside page: only a plain name picks a file of the PR folder.
  static const QRegularExpression plainName(QStringLiteral("^[A-Za-z0-9]+$"));
  QPixmap picture;
  if (plainName.match(value).hasMatch())
    picture.load(AppPaths::beside(QStringLiteral("PR/") + value + QStringLiteral(".jpg")));
  if (picture.isNull()) {
    // A value without a picture is shown as text.
    Image1->setText(value);
  } else {
    Image1->setPixmap(picture);
  }
}

void TFramezonghechaxun::WebBrowser4DocumentComplete() {
  const QString creationDate = fromGbk(ExtractCreationDate(WebBrowser4->ReadDocumentText()).text);
  if (!pumpMessages()) return;
  sEdit3->setText(creationDate);
}

void TFramezonghechaxun::countComplete(PagePane* pane, QLineEdit* edit,
                                       QString PendingOverview::*value,
                                       const CountExtractor& extract, bool pumpFirst) {
  const QString text = fromGbk(extract(pane->ReadDocumentText(), siteOf(pane)).text);
  edit->setText(text);
  if (feedsPending(pane)) PendingOverviewValues().*value = text;
  if (pumpFirst && !pumpMessages()) return;
  shujuduibi();
}

namespace {

MetricValue BaiduCount(std::string_view page, std::string_view) { return ExtractBaiduCount(page); }
MetricValue YahooPages(std::string_view page, std::string_view) {
  return ExtractYahooPageCount(page);
}
MetricValue YahooLinks(std::string_view page, std::string_view) {
  return ExtractYahooLinkCount(page);
}

}  // namespace

void TFramezonghechaxun::WebBrowser5DocumentComplete() {
  countComplete(WebBrowser5, sEdit6, &PendingOverview::baidushoulu, BaiduCount, true);
}

void TFramezonghechaxun::WebBrowser6DocumentComplete() {
  countComplete(WebBrowser6, sEdit7, &PendingOverview::gugeshoulu, ExtractGoogleSiteCount, false);
}

void TFramezonghechaxun::WebBrowser7DocumentComplete() {
  countComplete(WebBrowser7, sEdit8, &PendingOverview::yahushoulu, YahooPages, false);
}

void TFramezonghechaxun::WebBrowser8DocumentComplete() {
  countComplete(WebBrowser8, sEdit9, &PendingOverview::baidufanlian, BaiduCount, false);
}

void TFramezonghechaxun::WebBrowser9DocumentComplete() {
  countComplete(WebBrowser9, sEdit10, &PendingOverview::gugefanlian, ExtractGoogleLinkCount, false);
}

void TFramezonghechaxun::WebBrowser10DocumentComplete() {
  countComplete(WebBrowser10, sEdit11, &PendingOverview::yahufanlian, YahooLinks, false);
}

void TFramezonghechaxun::showRank(QLineEdit* edit, const std::string& text) {
  edit->setText(fromGbk(text));
}

void TFramezonghechaxun::WebBrowser11DocumentComplete() {
  const std::string markup = WebBrowser11->ReadDocumentMarkup();
  ListBox1->clear();
  for (size_t i = CountByteOccurrences(markup, kPromotedMarker); i > 0; --i)
    ListBox1->addItem(QString::fromLatin1(kPromotedMarker));
  // A paid entry of the site gives a sentence instead of a rank, and this walk ends quietly.
  continueWalk(EvaluateOverviewBaiduPage(markup, walkSite_), SearchEngine::Baidu, BaiduPageIndex,
               WebBrowser11, sEdit4);
}

void TFramezonghechaxun::WebBrowser12DocumentComplete() {
  const std::string markup = WebBrowser12->ReadDocumentMarkup();
  ListBox4->clear();
  if (GooglePageIndex == 0 && ByteSearch(markup, walkSite_) != 0) {
    for (const std::string& piece : GoogleFirstPagePieces(markup, walkSite_))
      ListBox4->addItem(fromGbk(piece));
  }
  continueWalk(EvaluateOverviewGooglePage(markup, walkSite_, GooglePageIndex), SearchEngine::Google,
               GooglePageIndex, WebBrowser12, sEdit5);
}

void TFramezonghechaxun::continueWalk(const OverviewRankOutcome& outcome, SearchEngine engine,
                                      int& pageIndex, PagePane* pane, QLineEdit* rankField) {
  if (outcome.found) {
    showRank(rankField, outcome.text);
    return;
  }
  if (pageIndex >= kOverviewRankPages) {
    showRank(rankField, BaiduNotFoundText(kOverviewRankPages));
    return;
  }
  showRank(rankField, ProgressText(pageIndex));
  ++pageIndex;
  if (!pumpMessages()) return;
  if (pageIndex < kOverviewRankPages)
    pane->Navigate(ResultAddress(engine, walkKeyword_, pageIndex));
  if (!pumpMessages()) return;
  if (pageIndex >= kOverviewRankPages) showRank(rankField, BaiduNotFoundText(kOverviewRankPages));
}

}  // namespace tandor
