// The rank history report opened from disk in the real browser engine, with the script, style
// sheet and icons delivered beside the program.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include "data/DataModule.h"
#include "platform/Gbk.h"
#include "platform/PagePane.h"
#include "ranking/RankHistoryReport.h"
#include "tests/support/GuiTestMain.h"
#include "tests/support/ScratchInstall.h"

using namespace tandor;
using namespace tandor::testing;

namespace {

const char* const kSlipped = "<script>document.title='owned'</script> & <b>bold</b>";

// Runs a script in the page's own world (where the report's functions live) and gives its
// result, which the script returns as JSON text.
QJsonObject evaluate(QWebEnginePage* page, const QString& script) {
  QString result;
  bool done = false;
  page->runJavaScript(script, QWebEngineScript::MainWorld, [&](const QVariant& value) {
    result = value.toString();
    done = true;
  });
  EXPECT_TRUE(waitUntil([&] { return done; }));
  return QJsonDocument::fromJson(result.toUtf8()).object();
}

class ReportInBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    install.exec(QString::fromUtf8(
        "INSERT INTO Key_BDResults (Web, KeyText, BaiduResults, BaiPage, BaiduDate, SDate) VALUES "
        "('www.abc.com', 'seo', '搜索排名为3(推广0 - 自然3)', '第1页', '2008-4-30', "
        "'2008-05-01 10:00:00'),"
        "('www.abc.com', '站长工具', '未找到', '--', NULL, '2008-05-02 09:05:07'),"
        "('www.xyz.cn', 'seo', '搜索排名为5(推广2 - 自然3)', '第1页', '--', '2008-05-03 "
        "00:00:00')"));
    install.exec(
        QStringLiteral("INSERT INTO Key_GGResults (web, KeyText, GoogleResults, GooglePage, SDate) "
                       "VALUES ('www.abc.com', '%1', '第3位', '第1页', '2008-05-01 10:00:00'),"
                       "('www.xyz.cn', 'seo', '第5位', '第1页', '2008-05-03 23:30:00')")
            .arg(QString::fromUtf8(kSlipped).replace(u'\'', QStringLiteral("''"))));
    for (AdoQuery* results : {&DM().ADO_Key_Results, &DM().ADO_Key_GGResults}) results->Open();
    reportPath = WriteRankHistoryReport(DM().ADO_Key_Results, DM().ADO_Key_GGResults);

    // Errors of the page's scripts are collected from the start of the document.
    QWebEngineScript watch;
    watch.setName(QStringLiteral("errorWatch"));
    watch.setInjectionPoint(QWebEngineScript::DocumentCreation);
    watch.setWorldId(QWebEngineScript::MainWorld);
    watch.setSourceCode(
        QStringLiteral("window.__errors = [];"
                       "window.addEventListener('error', function (e) { "
                       "window.__errors.push(String(e.message)); });"));
    pane.page()->scripts().insert(watch);
    pane.setSilent(true);
    QObject::connect(&pane, &PagePane::DocumentComplete, [this](PagePane*) { loaded = true; });
    pane.Navigate(QUrl::fromLocalFile(reportPath).toString());
    ASSERT_TRUE(waitUntil([this] { return loaded; }));
  }

  ScratchInstall install;
  QString reportPath;
  PagePane pane;
  bool loaded = false;
};

}  // namespace

TEST_F(ReportInBrowser, BothTablesRenderWithTheirRowsAndColumns) {
  const QJsonObject tables = evaluate(pane.page(), QStringLiteral(R"JS(
    JSON.stringify((function () {
      var out = {};
      ['resTable', 'resTable1'].forEach(function (id) {
        var rows = document.getElementById(id).rows, shape = [];
        for (var i = 0; i < rows.length; i++) {
          var cells = [];
          for (var j = 0; j < rows[i].cells.length; j++) cells.push(rows[i].cells[j].textContent);
          shape.push(cells);
        }
        out[id] = shape;
      });
      return out;
    })())
  )JS"));
  auto rows = [&tables](const char* id) {
    QList<QStringList> result;
    for (const QJsonValue& row : tables.value(QString::fromLatin1(id)).toArray()) {
      QStringList cells;
      for (const QJsonValue& cell : row.toArray()) cells << cell.toString();
      result << cells;
    }
    return result;
  };
  EXPECT_EQ(
      rows("resTable"),
      (QList<QStringList>{
          {"序号", "网站地址", "关键字", "百度排名", "排名页数", "百度快照", "查询日期"},
          {"1", "www.abc.com", "seo", "搜索排名为3(推广0 - 自然3)", "第1页", "2008-4-30",
           "2008-5-1 10:00:00"},
          {"2", "www.abc.com", "站长工具", "未找到", "--", " ", "2008-5-2 9:05:07"},
          {"3", "www.xyz.cn", "seo", "搜索排名为5(推广2 - 自然3)", "第1页", "--", "2008-5-3"}}));
  EXPECT_EQ(
      rows("resTable1"),
      (QList<QStringList>{
          {"序号", "网站地址", "关键字", "谷歌排名", "排名页数", "查询日期"},
          {"1", "www.abc.com", QString::fromUtf8(kSlipped), "第3位", "第1页", "2008-5-1 10:00:00"},
          {"2", "www.xyz.cn", "seo", "第5位", "第1页", "2008-5-3 23:30:00"}}));
  // The title carries the report date; the slipped-in script never ran.
  EXPECT_TRUE(pane.page()->title().startsWith(QStringLiteral("关键字排名")));
  EXPECT_NE(fromGbk(pane.ReadBodyText()).indexOf(QString::fromUtf8(kSlipped)), -1);
}

TEST_F(ReportInBrowser, RowColouringRunsWithoutScriptErrorsAndStylesApply) {
  const QJsonObject state = evaluate(pane.page(), QStringLiteral(R"JS(
    JSON.stringify((function () {
      var rows = document.getElementById('resTable').rows;
      var before = rows[1].className;
      rows[1].dispatchEvent(new MouseEvent('mouseover'));
      var over = rows[1].className;
      rows[1].dispatchEvent(new MouseEvent('mouseout'));
      var classes = [];
      for (var i = 0; i < rows.length; i++) classes.push(rows[i].className);
      var google = document.getElementById('resTable1').rows;
      var icons = [];
      for (var k = 0; k < document.images.length; k++) icons.push(document.images[k].naturalWidth);
      return {
        errors: window.__errors,
        colouring: typeof setTrColorEvent,
        classes: classes,
        googleSecond: google[1].className,
        before: before, over: over, after: rows[1].className,
        topColour: getComputedStyle(document.querySelector('.top')).color,
        oddBackground: getComputedStyle(rows[1].cells[0]).backgroundColor,
        evenBackground: getComputedStyle(rows[2].cells[0]).backgroundColor,
        icons: icons,
        slippedScripts: document.querySelectorAll('td script, td b').length
      };
    })())
  )JS"));
  EXPECT_EQ(state.value("errors").toArray(), QJsonArray());
  EXPECT_EQ(state.value("colouring").toString(), QStringLiteral("function"));
  EXPECT_EQ(state.value("classes").toArray(), (QJsonArray{"capTr", "oddTr", "evenTr", "oddTr"}));
  EXPECT_EQ(state.value("googleSecond").toString(), QStringLiteral("oddTr"));
  EXPECT_EQ(state.value("over").toString(), QStringLiteral("oddTr overTr"));
  EXPECT_EQ(state.value("after").toString(), state.value("before").toString());
  // The style sheet is applied: white text on the heading bar, alternate row shades.
  EXPECT_EQ(state.value("topColour").toString().toStdString(), "rgb(255, 255, 255)");
  EXPECT_NE(state.value("oddBackground").toString(), state.value("evenBackground").toString());
  EXPECT_EQ(state.value("icons").toArray(), (QJsonArray{16, 16}));
  EXPECT_EQ(state.value("slippedScripts").toInt(), 0);
  EXPECT_FALSE(pane.page()->title().contains(QStringLiteral("owned")));
}
