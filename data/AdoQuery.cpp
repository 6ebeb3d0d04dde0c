#include "data/AdoQuery.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <algorithm>
#include <utility>

#include "data/AdoConnection.h"
#include "data/SqlText.h"

namespace tandor {
namespace {

FieldKind KindOfMetaType(QMetaType type) {
  switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
      return FieldKind::Integer;
    case QMetaType::Double:
      return FieldKind::Float;
    case QMetaType::Bool:
      return FieldKind::Boolean;
    case QMetaType::QByteArray:
      return FieldKind::Blob;
    default:
      return FieldKind::Text;
  }
}

// The value of a column default as SQLite reports it ("0", "'text'", "NULL"); expressions such
// as CURRENT_TIMESTAMP are left to the database and read as null here.
QVariant DefaultValueOf(const QVariant& literal) {
  if (literal.isNull()) return {};
  const QString text = literal.toString().trimmed();
  bool ok = false;
  if (const qlonglong number = text.toLongLong(&ok); ok) return number;
  if (const double number = text.toDouble(&ok); ok) return number;
  if (text.size() >= 2 && text.startsWith(u'\'') && text.endsWith(u'\'')) {
    return text.mid(1, text.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
  }
  return {};
}

QString FieldError(const AdoField& field, const DatabaseError& error) {
  return QStringLiteral("字段 %1：%2").arg(field.FieldName(), error.text());
}

}  // namespace

// ---- AdoField ----------------------------------------------------------------------------------

const QVariant& AdoField::Stored() const { return owner_->ReadField(index_); }

bool AdoField::IsNull() const {
  const QVariant& stored = Stored();
  return !stored.isValid() || stored.isNull();
}

QVariant AdoField::Value() const { return TypedValue(def_.kind, Stored()); }

void AdoField::SetValue(const QVariant& value) {
  QVariant stored;
  try {
    stored = StoredValue(def_.kind, value);
  } catch (const DatabaseError& error) {
    throw DatabaseError(FieldError(*this, error));
  }
  owner_->WriteField(index_, stored);
}

QString AdoField::AsString() const { return DisplayText(def_.kind, Stored()); }

void AdoField::SetAsString(const QString& text) { SetValue(text); }

bool AdoField::AsBoolean() const {
  try {
    return BooleanOf(Stored());
  } catch (const DatabaseError& error) {
    throw DatabaseError(FieldError(*this, error));
  }
}

void AdoField::SetAsBoolean(bool value) { SetValue(value); }

QDateTime AdoField::AsDateTime() const {
  try {
    return DateTimeOf(Stored());
  } catch (const DatabaseError& error) {
    throw DatabaseError(FieldError(*this, error));
  }
}

void AdoField::SetAsDateTime(const QDateTime& value) {
  SetValue(value.isValid() ? QVariant(value) : QVariant());
}

qlonglong AdoField::AsInteger() const {
  const QVariant stored = Stored();
  if (!stored.isValid() || stored.isNull()) return 0;
  bool ok = false;
  const qlonglong number = stored.toString().trimmed().toLongLong(&ok);
  if (ok) return number;
  const double real = stored.toString().trimmed().toDouble(&ok);
  if (ok) return static_cast<qlonglong>(real);
  throw DatabaseError(
      QStringLiteral("字段 %1：“%2”不是有效的整数").arg(def_.name, stored.toString()));
}

void AdoField::SetAsInteger(qlonglong value) { SetValue(value); }

// ---- AdoQuery ----------------------------------------------------------------------------------

template <typename Event>
void AdoQuery::Notify(Event event) {
  if (controlsDisabled_ > 0) return;
  // By index: a listener may remove itself while it is told.
  for (size_t i = 0; i < listeners_.size(); ++i) event(listeners_[i]);
}

AdoQuery::AdoQuery(AdoConnection* connection) { SetConnection(connection); }

AdoQuery::~AdoQuery() {
  SetConnection(nullptr);
  for (DataSetListener* listener : std::vector<DataSetListener*>(listeners_)) {
    listener->DataSetDestroyed();
  }
}

void AdoQuery::SetConnection(AdoConnection* connection) {
  if (connection == connection_) return;
  Close();
  if (connection_) connection_->Detach(this);
  connection_ = connection;
  if (connection_) connection_->Attach(this);
}

void AdoQuery::DefineFields(std::vector<FieldDef> fields) {
  Close();
  fixedFields_ = std::move(fields);
  fields_.clear();
  fieldIndex_.clear();
  spelledIndex_.clear();
  for (const FieldDef& def : fixedFields_) {
    fieldIndex_.insert(def.name.toLower(), static_cast<int>(fields_.size()));
    fields_.push_back(std::unique_ptr<AdoField>(new AdoField(this, int(fields_.size()), def)));
  }
  defaults_.assign(fields_.size(), QVariant());
  Notify([](DataSetListener* listener) { listener->DataSetReset(); });
}

void AdoQuery::Reset() {
  state_ = State::Inactive;
  rows_.clear();
  buffer_ = Row{};
  modified_.clear();
  current_ = -1;
  beforeAppend_ = -1;
  eof_ = bof_ = true;
  insertQueries_.clear();
  table_.clear();
  rowIdAlias_ = -1;
  if (fixedFields_.empty()) {
    fields_.clear();
    fieldIndex_.clear();
    spelledIndex_.clear();
  }
}

void AdoQuery::Close() {
  if (!Active()) {
    insertQueries_.clear();
    return;
  }
  Reset();
  Notify([](DataSetListener* listener) { listener->DataSetReset(); });
}

void AdoQuery::SetSQL(const QString& sql, const QVariantList& params) {
  Close();
  sql_ = sql;
  params_ = params;
}

QSqlDatabase AdoQuery::Database() const {
  if (!connection_) throw DatabaseError(QStringLiteral("数据集没有指定数据库连接"));
  if (!connection_->Connected()) throw DatabaseError(QStringLiteral("数据库没有连接"));
  return connection_->Database();
}

void AdoQuery::Fail(const QSqlQuery& query) const {
  throw DatabaseError(DatabaseErrorText(query.lastError()));
}

void AdoQuery::Open() {
  if (Active()) return;
  const QSqlDatabase db = Database();
  const sql::Statement statement = sql::Translate(sql_, params_);
  QString table = sql::EditableTable(statement.text);
  QSqlQuery query(db);
  query.setForwardOnly(true);
  bool withRowId = false;
  if (!table.isEmpty()) {
    const std::optional<QString> text = sql::WithRowId(statement.text);
    withRowId = text && query.prepare(*text);
  }
  if (!withRowId) {
    table.clear();
    if (!query.prepare(statement.text)) Fail(query);
  }
  for (int i = 0; i < statement.values.size(); ++i) query.bindValue(i, statement.values[i]);
  if (!query.exec()) Fail(query);

  try {
    const QSqlRecord record = query.record();
    BuildFields(record, withRowId ? 1 : 0,
                table.isEmpty() ? QHash<QString, ColumnInfo>() : TableColumns(table));
    std::vector<int> source(fields_.size(), -1);
    for (size_t f = 0; f < fields_.size(); ++f) {
      if (fields_[f]->Calculated()) continue;
      const int column = record.indexOf(fields_[f]->FieldName());
      if (column >= (withRowId ? 1 : 0)) source[f] = column;
    }
    const int fieldCount = FieldCount();
    while (query.next()) {
      Row row;
      row.rowId = withRowId ? query.value(0).toLongLong() : -1;
      row.values.resize(fieldCount);
      for (int f = 0; f < fieldCount; ++f) {
        if (source[f] >= 0) row.values[f] = query.value(source[f]);
      }
      rows_.push_back(std::move(row));
    }
    if (query.lastError().type() != QSqlError::NoError) Fail(query);
    query.finish();
  } catch (...) {
    Reset();
    throw;
  }

  table_ = table;
  state_ = State::Browse;
  current_ = rows_.empty() ? -1 : 0;
  eof_ = bof_ = rows_.empty();
  CalculateFrom(0);
  Notify([](DataSetListener* listener) { listener->DataSetReset(); });
  NotifyCurrent();
}

void AdoQuery::Requery() {
  Close();
  Open();
}

int AdoQuery::ExecSQL() {
  const QSqlDatabase db = Database();
  const sql::Statement statement = sql::Translate(sql_, params_);
  QSqlQuery query(db);
  query.setForwardOnly(true);
  if (!query.prepare(statement.text)) Fail(query);
  for (int i = 0; i < statement.values.size(); ++i) query.bindValue(i, statement.values[i]);
  if (!query.exec()) Fail(query);
  const int changed = query.numRowsAffected();
  query.finish();
  return changed;
}

QHash<QString, AdoQuery::ColumnInfo> AdoQuery::TableColumns(const QString& table) const {
  QHash<QString, ColumnInfo> columns;
  QSqlQuery query(Database());
  query.setForwardOnly(true);
  if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(sql::Quoted(table)))) return columns;
  QString keyColumn;
  int keyColumns = 0;
  while (query.next()) {
    const QString name = query.value(1).toString().toLower();
    const QString type = query.value(2).toString();
    ColumnInfo info;
    info.kind = FieldKindOfDeclaredType(type);
    info.defaultValue = DefaultValueOf(query.value(4));
    if (query.value(5).toInt() > 0) {
      ++keyColumns;
      if (type.compare(QStringLiteral("INTEGER"), Qt::CaseInsensitive) == 0) keyColumn = name;
    }
    columns.insert(name, info);
  }
  // A single INTEGER PRIMARY KEY column is the row identity itself.
  if (keyColumns == 1 && !keyColumn.isEmpty()) columns[keyColumn].rowIdAlias = true;
  return columns;
}

void AdoQuery::BuildFields(const QSqlRecord& record, int firstColumn,
                           const QHash<QString, ColumnInfo>& columns) {
  if (fixedFields_.empty()) {
    fields_.clear();
    fieldIndex_.clear();
    spelledIndex_.clear();
    for (int c = firstColumn; c < record.count(); ++c) {
      FieldDef def;
      def.name = record.fieldName(c);
      const auto column = columns.constFind(def.name.toLower());
      def.kind =
          column != columns.cend() ? column->kind : KindOfMetaType(record.field(c).metaType());
      fieldIndex_.insert(def.name.toLower(), static_cast<int>(fields_.size()));
      fields_.push_back(std::unique_ptr<AdoField>(new AdoField(this, int(fields_.size()), def)));
    }
  }
  defaults_.assign(fields_.size(), QVariant());
  rowIdAlias_ = -1;
  for (size_t f = 0; f < fields_.size(); ++f) {
    if (fields_[f]->Calculated()) continue;
    const auto column = columns.constFind(fields_[f]->FieldName().toLower());
    if (column == columns.cend()) continue;
    defaults_[f] = column->defaultValue;
    if (column->rowIdAlias) rowIdAlias_ = static_cast<int>(f);
  }
}

void AdoQuery::CheckActive() const {
  if (!Active()) throw DatabaseError(QStringLiteral("数据集没有打开"));
}

void AdoQuery::CheckEditable() const {
  if (table_.isEmpty()) {
    throw DatabaseError(QStringLiteral("这个查询结果只能读取，不能修改：%1").arg(sql_));
  }
}

void AdoQuery::CheckBrowseMode() {
  if (state_ != State::Edit && state_ != State::Insert) return;
  if (std::find(modified_.begin(), modified_.end(), true) != modified_.end()) {
    Post();
  } else {
    Cancel();
  }
}

void AdoQuery::MoveTo(int row) {
  if (row == current_) return;
  current_ = row;
  NotifyCurrent();
}

void AdoQuery::First() {
  CheckActive();
  CheckBrowseMode();
  MoveTo(rows_.empty() ? -1 : 0);
  bof_ = true;
  eof_ = rows_.empty();
}

void AdoQuery::Next() {
  CheckActive();
  CheckBrowseMode();
  if (current_ + 1 < RecordCount()) {
    MoveTo(current_ + 1);
    bof_ = eof_ = false;
  } else {
    eof_ = true;
  }
}

void AdoQuery::Prior() {
  CheckActive();
  CheckBrowseMode();
  if (current_ > 0) {
    MoveTo(current_ - 1);
    bof_ = eof_ = false;
  } else {
    bof_ = true;
  }
}

void AdoQuery::Last() {
  CheckActive();
  CheckBrowseMode();
  MoveTo(RecordCount() - 1);
  eof_ = true;
  bof_ = rows_.empty();
}

AdoField& AdoQuery::FieldByName(const QString& name) {
  if (AdoField* field = FindField(name)) return *field;
  throw DatabaseError(QStringLiteral("找不到字段：%1").arg(name));
}

AdoField* AdoQuery::FindField(const QString& name) {
  // Callers name fields with literals: the spelling seen once is found again without folding.
  int index = spelledIndex_.value(name, -1);
  if (index < 0) {
    index = fieldIndex_.value(name.toLower(), -1);
    if (index < 0) return nullptr;
    spelledIndex_.insert(name, index);
  }
  return fields_[index].get();
}

AdoField& AdoQuery::Field(int index) {
  if (index < 0 || index >= FieldCount()) {
    throw DatabaseError(QStringLiteral("字段序号超出范围：%1").arg(index));
  }
  return *fields_[index];
}

void AdoQuery::Append() {
  CheckActive();
  CheckEditable();
  CheckBrowseMode();
  beforeAppend_ = current_;
  buffer_ = Row{-1, QVector<QVariant>(FieldCount())};
  modified_.assign(fields_.size(), false);
  state_ = State::Insert;
  bof_ = eof_ = false;
  Calculate(buffer_, -1);
  const int row = RecordCount();
  Notify([row](DataSetListener* listener) { listener->RowInserted(row); });
  NotifyCurrent();
}

void AdoQuery::Edit() {
  CheckActive();
  CheckEditable();
  if (state_ == State::Edit || state_ == State::Insert) return;
  if (current_ < 0) throw DatabaseError(QStringLiteral("数据集中没有记录，无法修改"));
  buffer_ = rows_[current_];
  modified_.assign(fields_.size(), false);
  state_ = State::Edit;
}

void AdoQuery::Post() {
  CheckActive();
  if (state_ == State::Insert) {
    PostInsert();
  } else if (state_ == State::Edit) {
    PostEdit();
  }
}

AdoQuery::InsertStatement& AdoQuery::InsertFor(quint64 key) {
  InsertStatement& statement = insertQueries_[key];
  if (statement.query) return statement;
  for (int f = 0; f < FieldCount(); ++f) {
    if (modified_[f] && !fields_[f]->Calculated()) statement.fields.push_back(f);
  }
  QString text = QStringLiteral("INSERT INTO %1").arg(sql::Quoted(table_));
  if (statement.fields.empty()) {
    text += QStringLiteral(" DEFAULT VALUES");
  } else {
    QStringList names;
    QStringList marks;
    for (int f : statement.fields) {
      names << sql::Quoted(fields_[f]->FieldName());
      marks << QStringLiteral("?");
    }
    text += QStringLiteral(" (%1) VALUES (%2)").arg(names.join(u','), marks.join(u','));
  }
  auto query = std::make_unique<QSqlQuery>(Database());
  if (!query->prepare(text)) {
    const QString error = DatabaseErrorText(query->lastError());
    insertQueries_.erase(key);
    throw DatabaseError(error);
  }
  statement.query = std::move(query);
  return statement;
}

void AdoQuery::PostInsert() {
  // The prepared statement is kept per set of fields written: a save appends many alike rows.
  quint64 key = 0;
  bool cacheable = FieldCount() <= 64;
  for (int f = 0; f < FieldCount() && cacheable; ++f) {
    if (modified_[f] && !fields_[f]->Calculated()) key |= quint64(1) << f;
  }
  if (!cacheable) insertQueries_.clear();
  connection_->NoteWrite(this);
  InsertStatement& statement = InsertFor(key);
  QSqlQuery& query = *statement.query;
  for (size_t i = 0; i < statement.fields.size(); ++i) {
    query.bindValue(static_cast<int>(i), buffer_.values[statement.fields[i]]);
  }
  if (!query.exec()) Fail(query);
  buffer_.rowId = query.lastInsertId().toLongLong();
  for (int f = 0; f < FieldCount(); ++f) {
    if (modified_[f] || fields_[f]->Calculated()) continue;
    buffer_.values[f] = f == rowIdAlias_ ? QVariant(qlonglong(buffer_.rowId)) : defaults_[f];
  }
  rows_.push_back(std::move(buffer_));
  buffer_ = Row{};
  state_ = State::Browse;
  current_ = RecordCount() - 1;
  Calculate(rows_.back(), current_ + 1);
  const int row = current_;
  Notify([row](DataSetListener* listener) { listener->RowChanged(row); });
  NotifyCurrent();
}

void AdoQuery::PostEdit() {
  QStringList assignments;
  std::vector<int> fields;
  for (int f = 0; f < FieldCount(); ++f) {
    if (!modified_[f] || fields_[f]->Calculated()) continue;
    fields.push_back(f);
    assignments << sql::Quoted(fields_[f]->FieldName()) + QStringLiteral("=?");
  }
  if (!fields.empty()) {
    connection_->NoteWrite(this);
    QSqlQuery query(Database());
    const QString text = QStringLiteral("UPDATE %1 SET %2 WHERE rowid=?")
                             .arg(sql::Quoted(table_), assignments.join(u','));
    if (!query.prepare(text)) Fail(query);
    int i = 0;
    for (int f : fields) query.bindValue(i++, buffer_.values[f]);
    query.bindValue(i, qlonglong(buffer_.rowId));
    if (!query.exec()) Fail(query);
    if (query.numRowsAffected() != 1) {
      throw DatabaseError(QStringLiteral("要修改的记录已不在数据库中"));
    }
    if (rowIdAlias_ >= 0 && modified_[rowIdAlias_]) {
      buffer_.rowId = buffer_.values[rowIdAlias_].toLongLong();
    }
  }
  rows_[current_] = std::move(buffer_);
  buffer_ = Row{};
  state_ = State::Browse;
  Calculate(rows_[current_], current_ + 1);
  const int row = current_;
  Notify([row](DataSetListener* listener) { listener->RowChanged(row); });
}

void AdoQuery::Cancel() {
  if (state_ == State::Insert) {
    state_ = State::Browse;
    buffer_ = Row{};
    const int row = RecordCount();
    current_ = beforeAppend_ < RecordCount() ? beforeAppend_ : RecordCount() - 1;
    eof_ = bof_ = rows_.empty();
    Notify([row](DataSetListener* listener) { listener->RowRemoved(row); });
    NotifyCurrent();
  } else if (state_ == State::Edit) {
    state_ = State::Browse;
    buffer_ = Row{};
    const int row = current_;
    Notify([row](DataSetListener* listener) { listener->RowChanged(row); });
  }
}

void AdoQuery::Delete() {
  CheckActive();
  CheckEditable();
  if (state_ == State::Insert) {
    Cancel();
    return;
  }
  Cancel();
  if (current_ < 0) throw DatabaseError(QStringLiteral("数据集中没有记录，无法删除"));
  connection_->NoteWrite(this);
  QSqlQuery query(Database());
  if (!query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid=?").arg(sql::Quoted(table_)))) {
    Fail(query);
  }
  query.bindValue(0, qlonglong(rows_[current_].rowId));
  if (!query.exec()) Fail(query);
  const int removed = current_;
  rows_.erase(rows_.begin() + removed);
  if (rows_.empty()) {
    current_ = -1;
    eof_ = bof_ = true;
  } else if (removed >= RecordCount()) {
    current_ = RecordCount() - 1;
    eof_ = true;
  } else {
    eof_ = false;
  }
  CalculateFrom(removed);
  Notify([removed](DataSetListener* listener) { listener->RowRemoved(removed); });
  NotifyCurrent();
}

int AdoQuery::RecNo() const {
  if (calcRow_) return calcRecNo_;
  if (state_ == State::Insert || current_ < 0) return -1;
  return current_ + 1;
}

void AdoQuery::SetRecNo(int recNo) {
  CheckActive();
  CheckBrowseMode();
  if (recNo < 1 || recNo > RecordCount()) return;
  MoveTo(recNo - 1);
  eof_ = bof_ = false;
}

void AdoQuery::DisableControls() { ++controlsDisabled_; }

void AdoQuery::EnableControls() {
  if (controlsDisabled_ == 0 || --controlsDisabled_ > 0) return;
  Notify([](DataSetListener* listener) { listener->DataSetReset(); });
  NotifyCurrent();
}

const AdoQuery::Row* AdoQuery::ActiveRow() const {
  if (calcRow_) return calcRow_;
  if (state_ == State::Edit || state_ == State::Insert) return &buffer_;
  if (current_ >= 0 && current_ < RecordCount()) return &rows_[current_];
  return nullptr;
}

const QVariant& AdoQuery::ReadField(int field) const {
  static const QVariant none;
  const Row* row = ActiveRow();
  return row && field >= 0 && field < row->values.size() ? row->values.at(field) : none;
}

void AdoQuery::WriteField(int field, const QVariant& stored) {
  if (fields_[field]->Calculated()) {
    if (Row* row = ActiveRow()) row->values[field] = stored;
    return;
  }
  if (state_ != State::Edit && state_ != State::Insert) {
    throw DatabaseError(QStringLiteral("数据集不在添加或修改状态，不能给字段 %1 赋值")
                            .arg(fields_[field]->FieldName()));
  }
  buffer_.values[field] = stored;
  modified_[field] = true;
  const int row = CurrentShownRow();
  Notify([row](DataSetListener* listener) { listener->RowChanged(row); });
}

void AdoQuery::Calculate(Row& row, int recNo) {
  if (!OnCalcFields) return;
  struct Restore {
    AdoQuery* query;
    ~Restore() { query->calcRow_ = nullptr; }
  } restore{this};
  calcRow_ = &row;
  calcRecNo_ = recNo;
  OnCalcFields(*this);
}

void AdoQuery::CalculateFrom(int first) {
  for (int i = std::max(first, 0); i < RecordCount(); ++i) Calculate(rows_[i], i + 1);
}

int AdoQuery::ShownRowCount() const { return RecordCount() + (state_ == State::Insert ? 1 : 0); }

int AdoQuery::CurrentShownRow() const { return state_ == State::Insert ? RecordCount() : current_; }

const AdoQuery::Row* AdoQuery::ShownRow(int row) const {
  if (state_ == State::Insert && row == RecordCount()) return &buffer_;
  if (state_ == State::Edit && row == current_) return &buffer_;
  if (row >= 0 && row < RecordCount()) return &rows_[row];
  return nullptr;
}

QVariant AdoQuery::ShownValue(int row, int field) const {
  const Row* shown = ShownRow(row);
  if (!shown || field < 0 || field >= FieldCount()) return {};
  return TypedValue(fields_[field]->Kind(), shown->values.value(field));
}

QString AdoQuery::ShownText(int row, int field) const {
  const Row* shown = ShownRow(row);
  if (!shown || field < 0 || field >= FieldCount()) return {};
  return DisplayText(fields_[field]->Kind(), shown->values.value(field));
}

void AdoQuery::AddListener(DataSetListener* listener) { listeners_.push_back(listener); }

void AdoQuery::RemoveListener(DataSetListener* listener) { std::erase(listeners_, listener); }

void AdoQuery::NotifyCurrent() {
  const int row = CurrentShownRow();
  Notify([row](DataSetListener* listener) { listener->CurrentRowChanged(row); });
}

}  // namespace tandor
