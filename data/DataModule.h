#pragma once
// The data module DM: the one database connection and the datasets that the windows share.
// Each user of a dataset closes it, sets its own SQL and opens it again; the SQL set here is
// only what a dataset has until then.
#include <QString>

#include "data/AdoConnection.h"
#include "data/AdoQuery.h"
#include "data/DataSetModel.h"

namespace tandor {

class TDM {
 public:
  TDM();
  TDM(const TDM&) = delete;
  TDM& operator=(const TDM&) = delete;

  AdoConnection ADOC;
  AdoQuery ADO_KeyWord;        // the rank query page's settings (KeyWord_Info)
  AdoQuery ADO_Key_Results;    // saved Baidu ranks (Key_BDResults)
  AdoQuery ADO_Key_GGResults;  // saved Google ranks (Key_GGResults)
  AdoQuery ADOWeb;             // the registered sites (Web_Info)
  AdoQuery ADOZongHe;          // saved site overviews (ZongHeChaXun)
  AdoQuery ADOQuery1;          // the spare query: table creation, the comparison's today row
  DataSetModel DataSource1;    // ADO_Key_Results
  DataSetModel DataSource2;    // ADO_Key_GGResults
  DataSetModel DataSource3;    // ADOZongHe

  // Calculated fields: RecID is the record number, 1 for a row being appended.
  void ADO_Key_ResultsCalcFields(AdoQuery& DataSet);
  void ADO_Key_GGResultsCalcFields(AdoQuery& DataSet);
  void ADOZongHeCalcFields(AdoQuery& DataSet);
};

// The process-wide data module; throws DatabaseError when it has not been created.
TDM& DM();
// Creates the data module (replacing one that exists) and opens its connection on the database
// file at databasePath. When the connection cannot be opened no module remains and the
// DatabaseError goes to the caller.
TDM& CreateDM(const QString& databasePath);
void DestroyDM();
bool DMCreated();

}  // namespace tandor
