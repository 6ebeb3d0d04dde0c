#include "overview/OverviewStore.h"

#include "data/DataModule.h"
#include "pages/TextHelpers.h"
#include "platform/Gbk.h"

namespace tandor {
namespace {

QString Trimmed(const QString& text) { return fromGbk(Trim(toGbk(text))); }

}  // namespace

void SaveOverviewRow(const QString& site, const PendingOverview& values, const QDate& day) {
  AdoQuery& overview = DM().ADOZongHe;
  overview.Close();
  overview.SetSQL(QStringLiteral("select * from zonghechaxun where web=? and  CDate =?"),
                  {site, day});
  overview.Open();
  if (overview.IsEmpty()) {
    overview.Append();
  } else {
    overview.First();
    overview.Edit();
  }
  const struct {
    const char* field;
    QString value;
  } columns[] = {
      {"web", site},
      {"pr", Trimmed(values.pr)},
      {"baidukuaizhao", Trimmed(values.baidukuaizhao)},
      {"shijiepaiming", values.shijiepaiming},
      {"baidushoulu", values.baidushoulu},
      {"gugeshoulu", values.gugeshoulu},
      {"yahushoulu", values.yahushoulu},
      {"baidufanlian", values.baidufanlian},
      {"gugefanlian", values.gugefanlian},
      {"yahufanlian", values.yahufanlian},
  };
  for (const auto& column : columns)
    overview.FieldByName(QString::fromLatin1(column.field)).SetAsString(column.value);
  overview.FieldByName(QStringLiteral("CDate")).SetAsDateTime(QDateTime(day, QTime(0, 0)));
  overview.Post();
  overview.Close();
}

}  // namespace tandor
