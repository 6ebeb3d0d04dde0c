#pragma once
// The main window: tool bar, menu, frame bar on the left and the tool page area on the right, in
// which exactly one tool page is shown at a time.
#include <QAction>
#include <QMainWindow>
#include <QPointer>
#include <QToolButton>
#include <type_traits>

#include "app/ToolPage.h"


class QMenu;
class QPropertyAnimation;

namespace tandor {

class FrameBar;

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // The open-tool-page steps for page class C. When enable is given, that tool bar button is
  // enabled after the page is made and before it is shown (the navigation page does this).
  template <class C>
  C* OpenToolPage(QToolButton* enable = nullptr) {
    static_assert(std::is_base_of_v<ToolPage, C>);
    if (CurrentToolPage) PreviousToolPage = CurrentToolPage;
    if (PreviousToolPage && dynamic_cast<C*>(PreviousToolPage.data())) {
      delete PreviousToolPage.data();
      PreviousToolPage = nullptr;
    }
    auto* page = new C(this);
    CurrentToolPage = page;
    if (enable) enable->setEnabled(true);
    ShowToolPage();
    return page;
  }

  void ShowToolPage();
  void ActionOverViewExecute();

  // The database file is looked for beside the executable; FormShow re-points the connection at
  // it on every showing.
  void FormShow();
  void FormClose();

  QPointer<ToolPage> CurrentToolPage;
  QPointer<ToolPage> PreviousToolPage;
  bool FirstShowDone = false;
  bool FirstShowInProgress = false;

  QWidget* client() const { return client_; }
  FrameBar* sFrameBar1 = nullptr;
  QWidget* sCoolBar1 = nullptr;
  QToolButton* sSpeedButton2 = nullptr;
  QToolButton* sSpeedButton3 = nullptr;
  QToolButton* sSpeedButton4 = nullptr;
  QToolButton* sSpeedButton6 = nullptr;
  QToolButton* sSpeedButton7 = nullptr;
  QMenuBar* MainMenu1 = nullptr;
  QAction* ActionOverView = nullptr;
  // Menu items by their names (N4, N20, SEO1, ...).
  QAction* menuItem(const QString& name) const;

  // True while a page is fading in.
  bool fadingIn() const;

  // Commands of the tool bar and menu; each runs as one command whose errors reach the general
  // error box. Pages that are not part of the program yet are left out of the switch.
  void openSiteManager();
  void openAboutBox();
  // Tool page commands, shared by the tool bar, the menu and the navigation page.
  void OpenRankPage(QToolButton* enable = nullptr);
  void OpenOverviewPage(QToolButton* enable = nullptr);
  void OpenRelatedKeywordsPage();
  void OpenFriendLinkPage();
  void OpenRecentIndexingPage();
  void OpenSpiderViewPage();
  void OpenCompetitorPage();
  void OpenDensityPage();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildToolBar();
  void buildMenu();
  void buildFrameBar();
  QToolButton* addToolButton(const QString& name, const QString& caption, int left, bool enabled,
                             const QIcon& icon);
  void addSeparator(int left);
  QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption);
  void addMenuSeparator(QMenu* menu, const QString& name);
  void fadeIn(QWidget* page);

  QWidget* client_;
  QPointer<QPropertyAnimation> fade_;
};

// The process's one main window, or nullptr before it exists.
TMainForm* MainForm();

}  // namespace tandor
