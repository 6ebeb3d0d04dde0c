#include "data/DataModule.h"

#include <memory>

namespace tandor {
namespace {

std::unique_ptr<TDM>& Instance() {
  static std::unique_ptr<TDM> module;
  return module;
}

FieldDef Text(const char* name) { return {QString::fromLatin1(name), FieldKind::Text, false}; }
FieldDef Id() { return {QStringLiteral("ID"), FieldKind::Integer, false}; }
FieldDef RecId() { return {QStringLiteral("RecID"), FieldKind::Integer, true}; }
FieldDef Date(const char* name) { return {QString::fromLatin1(name), FieldKind::DateTime, false}; }

void SetRecordNumber(AdoQuery& dataSet) {
  const int recNo = dataSet.RecNo();
  dataSet.FieldByName(QStringLiteral("RecID")).SetValue(recNo == -1 ? 1 : recNo);
}

}  // namespace

TDM::TDM() {
  for (AdoQuery* query :
       {&ADO_KeyWord, &ADO_Key_Results, &ADO_Key_GGResults, &ADOWeb, &ADOZongHe, &ADOQuery1}) {
    query->SetConnection(&ADOC);
  }
  ADO_Key_Results.SetSQL(QStringLiteral("select * from Key_BDResults"));
  ADO_Key_Results.DefineFields({Id(), RecId(), Text("Web"), Text("KeyText"), Text("BaiduResults"),
                                Text("BaiPage"), Text("BaiduDate"), Date("SDate")});
  ADO_Key_Results.OnCalcFields = [this](AdoQuery& q) { ADO_Key_ResultsCalcFields(q); };

  ADO_Key_GGResults.SetSQL(QStringLiteral("select * from Key_GGResults"));
  ADO_Key_GGResults.DefineFields({Id(), RecId(), Text("web"), Text("KeyText"),
                                  Text("GoogleResults"), Text("GooglePage"), Date("SDate")});
  ADO_Key_GGResults.OnCalcFields = [this](AdoQuery& q) { ADO_Key_GGResultsCalcFields(q); };

  ADOWeb.SetSQL(QStringLiteral("select * from Web_Info"));
  ADOWeb.DefineFields({Id(), Text("Web_Name"), Text("Web_Url")});

  ADOZongHe.SetSQL(QStringLiteral("select * from ZongHeChaXun"));
  ADOZongHe.DefineFields({Id(), RecId(), Text("Web"), Text("PR"), Text("Baidukuaizhao"),
                          Text("shijiepaiming"), Text("Baidushoulu"), Text("Gugeshoulu"),
                          Text("Yahushoulu"), Text("BaiduFanlian"), Text("GugeFanlian"),
                          Text("YahuFanlian"), Date("CDate")});
  ADOZongHe.OnCalcFields = [this](AdoQuery& q) { ADOZongHeCalcFields(q); };

  DataSource1.SetDataSet(&ADO_Key_Results);
  DataSource2.SetDataSet(&ADO_Key_GGResults);
  DataSource3.SetDataSet(&ADOZongHe);
}

void TDM::ADO_Key_ResultsCalcFields(AdoQuery& DataSet) { SetRecordNumber(DataSet); }
void TDM::ADO_Key_GGResultsCalcFields(AdoQuery& DataSet) { SetRecordNumber(DataSet); }
void TDM::ADOZongHeCalcFields(AdoQuery& DataSet) { SetRecordNumber(DataSet); }

TDM& DM() {
  if (!Instance()) throw DatabaseError(QStringLiteral("数据模块还没有创建"));
  return *Instance();
}

TDM& CreateDM(const QString& databasePath) {
  Instance().reset();
  auto module = std::make_unique<TDM>();
  module->ADOC.SetDatabasePath(databasePath);
  module->ADOC.Open();
  Instance() = std::move(module);
  return *Instance();
}

void DestroyDM() { Instance().reset(); }

bool DMCreated() { return Instance() != nullptr; }

}  // namespace tandor
