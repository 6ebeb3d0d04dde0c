#pragma once
// The dataset of the program, in the image of an ADO query over a static cursor: the SQL text is
// set as a whole, Open runs it and keeps the rows as fetched then, and the program walks them,
// reads and writes fields by name, and appends, edits and deletes rows. Edits are written at once
// (Post) to the table named after "from", identified by its row identity.
#include <QHash>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "data/DatabaseError.h"
#include "data/FieldValue.h"

namespace tandor {

class AdoConnection;
class AdoQuery;

// A field of a fixed field list: defined whatever the SQL returns.
struct FieldDef {
  QString name;
  FieldKind kind = FieldKind::Text;
  bool calculated = false;  // set by the calculated-field hook, never stored
};

// One field of the current row. Reading a field when there is no row gives null: empty text,
// false, an invalid date-time.
class AdoField {
 public:
  AdoField(const AdoField&) = delete;
  AdoField& operator=(const AdoField&) = delete;

  QString FieldName() const { return def_.name; }
  FieldKind Kind() const { return def_.kind; }
  bool Calculated() const { return def_.calculated; }
  int Index() const { return index_; }

  bool IsNull() const;
  QVariant Value() const;  // QDateTime, bool, qlonglong, double or QString; null when empty
  void SetValue(const QVariant& value);
  void Clear() { SetValue(QVariant()); }
  QString AsString() const;  // date-times as "2008-5-1 9:05:07" ("2008-5-1" at midnight)
  void SetAsString(const QString& text);
  bool AsBoolean() const;
  void SetAsBoolean(bool value);
  QDateTime AsDateTime() const;
  void SetAsDateTime(const QDateTime& value);
  qlonglong AsInteger() const;
  void SetAsInteger(qlonglong value);

 private:
  friend class AdoQuery;
  AdoField(AdoQuery* owner, int index, FieldDef def)
      : owner_(owner), index_(index), def_(std::move(def)) {}
  const QVariant& Stored() const;  // valid until the dataset moves or changes

  AdoQuery* owner_;
  int index_;
  FieldDef def_;
};

// What a bound view learns from its dataset. Rows are counted from 0; a row being appended is
// shown after the fetched rows.
class DataSetListener {
 public:
  virtual ~DataSetListener() = default;
  virtual void DataSetReset() = 0;  // opened, closed, reloaded, or controls enabled again
  virtual void RowInserted(int row) = 0;
  virtual void RowRemoved(int row) = 0;  // the rows after it moved up and were renumbered
  virtual void RowChanged(int row) = 0;
  virtual void CurrentRowChanged(int row) = 0;
  virtual void DataSetDestroyed() = 0;
};

class AdoQuery {
 public:
  enum class State { Inactive, Browse, Edit, Insert };

  explicit AdoQuery(AdoConnection* connection = nullptr);
  ~AdoQuery();
  AdoQuery(const AdoQuery&) = delete;
  AdoQuery& operator=(const AdoQuery&) = delete;

  void SetConnection(AdoConnection* connection);
  AdoConnection* Connection() const { return connection_; }

  // A fixed field list, in this order whatever the SQL; the values of fields that the result
  // lacks are null. With no list the fields are the result's columns (valid while open).
  void DefineFields(std::vector<FieldDef> fields);

  void Close();  // a pending append or edit is dropped
  // The whole SQL text; values are bound to its "?" placeholders in order, never pasted.
  void SetSQL(const QString& sql, const QVariantList& params = {});
  QString SQL() const { return sql_; }
  QVariantList Params() const { return params_; }
  void Open();     // runs the SQL and stands on the first row
  void Requery();  // closes and opens again with the same SQL
  int ExecSQL();   // runs the statement without keeping rows; gives the rows it changed
  bool Active() const { return state_ != State::Inactive; }
  State GetState() const { return state_; }

  void First();
  void Next();
  void Prior();
  void Last();
  bool Eof() const { return eof_; }
  bool Bof() const { return bof_; }
  int RecordCount() const { return static_cast<int>(rows_.size()); }
  bool IsEmpty() const { return rows_.empty() && state_ != State::Insert; }

  AdoField& FieldByName(const QString& name);  // without regard to case; DatabaseError if unknown
  AdoField* FindField(const QString& name);    // nullptr if unknown
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  AdoField& Field(int index);

  void Append();  // a new empty row after the last one; its record number is -1
  void Edit();
  void Post();  // writes the appended or edited row at once
  void Cancel();
  void Delete();  // deletes the current row from the table and the dataset

  int RecNo() const;  // 1-based position of the current row; -1 for a row being appended
  void SetRecNo(int recNo);

  void DisableControls();  // bound views are not told of changes until EnableControls
  void EnableControls();
  bool ControlsDisabled() const { return controlsDisabled_ > 0; }

  // Called for every row fetched or written, with that row current, to set calculated fields.
  std::function<void(AdoQuery&)> OnCalcFields;

  // For bound views: rows as shown (a row being appended last), read without moving.
  int ShownRowCount() const;
  int CurrentShownRow() const;
  QVariant ShownValue(int row, int field) const;  // as AdoField::Value
  QString ShownText(int row, int field) const;    // as AdoField::AsString
  void AddListener(DataSetListener* listener);
  void RemoveListener(DataSetListener* listener);

 private:
  friend class AdoField;
  friend class AdoConnection;

  struct Row {
    qint64 rowId = -1;
    QVector<QVariant> values;
  };
  struct ColumnInfo {
    FieldKind kind = FieldKind::Text;
    QVariant defaultValue;
    bool rowIdAlias = false;
  };

  QSqlDatabase Database() const;
  void CheckActive() const;
  void CheckEditable() const;
  void CheckBrowseMode();
  void BuildFields(const QSqlRecord& record, int firstColumn,
                   const QHash<QString, ColumnInfo>& columns);
  QHash<QString, ColumnInfo> TableColumns(const QString& table) const;
  void PostInsert();
  void PostEdit();
  struct InsertStatement {
    std::unique_ptr<QSqlQuery> query;
    std::vector<int> fields;  // the fields it writes, in the order of its "?"
  };
  InsertStatement& InsertFor(quint64 key);
  const QVariant& ReadField(int field) const;
  void WriteField(int field, const QVariant& stored);
  const Row* ActiveRow() const;
  Row* ActiveRow() { return const_cast<Row*>(std::as_const(*this).ActiveRow()); }
  const Row* ShownRow(int row) const;
  void Reset();
  void Calculate(Row& row, int recNo);
  void CalculateFrom(int first);
  void MoveTo(int row);
  template <typename Event>
  void Notify(Event event);
  void NotifyCurrent();
  [[noreturn]] void Fail(const QSqlQuery& query) const;

  AdoConnection* connection_ = nullptr;
  QString sql_;
  QVariantList params_;
  std::vector<FieldDef> fixedFields_;
  std::vector<std::unique_ptr<AdoField>> fields_;
  QHash<QString, int> fieldIndex_;            // lower-case name -> field
  mutable QHash<QString, int> spelledIndex_;  // names as callers spell them -> field
  std::vector<QVariant> defaults_;            // per field: stored value of a column default
  int rowIdAlias_ = -1;                       // the field that holds the row identity, if any
  QString table_;                             // the table that edits go to; empty: read-only
  std::vector<Row> rows_;
  State state_ = State::Inactive;
  int current_ = -1;
  int beforeAppend_ = -1;
  bool eof_ = true;
  bool bof_ = true;
  Row buffer_;                  // the row being appended or edited
  std::vector<bool> modified_;  // per field of the buffer
  Row* calcRow_ = nullptr;      // the row whose calculated fields the hook is setting
  int calcRecNo_ = -1;
  int controlsDisabled_ = 0;
  std::vector<DataSetListener*> listeners_;
  std::unordered_map<quint64, InsertStatement> insertQueries_;  // by the set of fields written
};

// Keeps the grids bound to a dataset from repainting during a scan, also when the scan fails.
class ControlsDisabled {
 public:
  explicit ControlsDisabled(AdoQuery& query) : query_(query) { query_.DisableControls(); }
  ~ControlsDisabled() { query_.EnableControls(); }
  ControlsDisabled(const ControlsDisabled&) = delete;
  ControlsDisabled& operator=(const ControlsDisabled&) = delete;

 private:
  AdoQuery& query_;
};

}  // namespace tandor
