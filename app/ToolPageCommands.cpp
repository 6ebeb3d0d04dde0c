// The commands that open tool pages. A page that is not part of the program yet has no command
// body: the button or menu item then does nothing.
#include "app/MainForm.h"

namespace tandor {

void TMainForm::OpenRankPage(QToolButton*) {}
void TMainForm::OpenOverviewPage(QToolButton*) {}
void TMainForm::OpenRelatedKeywordsPage() {}
void TMainForm::OpenFriendLinkPage() {}
void TMainForm::OpenRecentIndexingPage() {}
void TMainForm::OpenSpiderViewPage() {}
void TMainForm::OpenCompetitorPage() {}
void TMainForm::OpenDensityPage() {}

}  // namespace tandor
