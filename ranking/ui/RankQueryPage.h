#pragma once
// The keyword rank query page: checks where a site ranks in Baidu and Google for one or more
// keywords, remembers the query settings per site, shows the results and saves them as history.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "app/ToolPage.h"

namespace tandor {

class TFm_Search;

class TFrame_guanjianzichaxun : public ToolPage {
  Q_OBJECT
 public:
  explicit TFrame_guanjianzichaxun(QWidget* owner);

  QComboBox* sComboBox1;       // site picker
  QLineEdit* sEdit1;           // keywords
  QCheckBox* CheckBox1;        // 百度
  QCheckBox* CheckBox2;        // 谷歌
  QComboBox* sComboBox2;       // start page, always 1
  QComboBox* sComboBox3;       // end page
  QPushButton* sBitBtn1;       // 开始查询
  QToolButton* sSpeedButton1;  // 保存查询结果
  QToolButton* sSpeedButton2;  // 查看历史查询
  QTreeWidget* ListView1;      // Baidu results
  QTreeWidget* ListView2;      // Google results
  QLabel* sLabel8;             // Baidu status
  QLabel* sLabel10;            // Google status
  QMenu* PopupMenu1;
  QMenu* PopupMenu2;
  QAction* N3;
  QAction* N6;

  void sComboBox1Exit();
  void sBitBtn1Click();
  TFm_Search* StartRankWalker(const QString& keyword, int engine);
  void N3Click();
  void N6Click();
  void sSpeedButton1Click();

 protected:
  void FrameResize() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void appendSettingsRow();
  // False, after telling the user and putting the focus there, when the site or the keyword is
  // empty; emptyKeyword is the message for the keyword.
  bool siteAndKeywordGiven(const QString& emptyKeyword);
  void openResultPage(QTreeWidget* list, int engine);
};

}  // namespace tandor
