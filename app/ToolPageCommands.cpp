// The commands that open tool pages. A page that is not part of the program yet has no command
// body: the button or menu item then does nothing.
#include "app/MainForm.h"
#include "overview/ui/OverviewPage.h"
#include "ranking/ui/RankQueryPage.h"

namespace tandor {

void TMainForm::OpenRankPage(QToolButton* enable) { OpenToolPage<TFrame_guanjianzichaxun>(enable); }
void TMainForm::OpenOverviewPage(QToolButton* enable) {
  OpenToolPage<TFramezonghechaxun>(enable);
}
void TMainForm::OpenRelatedKeywordsPage() {}
void TMainForm::OpenFriendLinkPage() {}
void TMainForm::OpenRecentIndexingPage() {}
void TMainForm::OpenSpiderViewPage() {}
void TMainForm::OpenCompetitorPage() {}
void TMainForm::OpenDensityPage() {}

}  // namespace tandor
