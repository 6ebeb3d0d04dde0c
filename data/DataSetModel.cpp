#include "data/DataSetModel.h"

#include "platform/MessageService.h"

namespace tandor {

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

DataSetModel::~DataSetModel() {
  if (dataSet_) dataSet_->RemoveListener(this);
}

void DataSetModel::SetDataSet(AdoQuery* dataSet) {
  if (dataSet == dataSet_) return;
  beginResetModel();
  if (dataSet_) dataSet_->RemoveListener(this);
  dataSet_ = dataSet;
  if (dataSet_) dataSet_->AddListener(this);
  columns_ = dataSet_ ? dataSet_->FieldCount() : 0;
  rows_ = dataSet_ ? dataSet_->ShownRowCount() : 0;
  endResetModel();
  emit currentRowChanged(currentRow());
}

int DataSetModel::fieldColumn(const QString& fieldName) const {
  if (!dataSet_) return -1;
  AdoField* field = dataSet_->FindField(fieldName);
  return field ? field->Index() : -1;
}

int DataSetModel::currentRow() const { return dataSet_ ? dataSet_->CurrentShownRow() : -1; }

int DataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int DataSetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
  if (!dataSet_ || !index.isValid()) return {};
  if (role == Qt::DisplayRole) return dataSet_->ShownText(index.row(), index.column());
  if (role == Qt::EditRole) return dataSet_->ShownValue(index.row(), index.column());
  return {};
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !dataSet_ || section < 0 ||
      section >= columns_ || section >= dataSet_->FieldCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  return dataSet_->Field(section).FieldName();
}

void DataSetModel::setCurrentRow(int row) {
  if (!dataSet_ || !dataSet_->Active() || row == currentRow()) return;
  // Leaving a row being appended or edited posts it; a refused post is the user's error box.
  runCommand([&] { dataSet_->SetRecNo(row + 1); });
}

void DataSetModel::DataSetReset() {
  beginResetModel();
  columns_ = dataSet_ ? dataSet_->FieldCount() : 0;
  rows_ = dataSet_ ? dataSet_->ShownRowCount() : 0;
  endResetModel();
}

void DataSetModel::RowInserted(int row) {
  beginInsertRows(QModelIndex(), row, row);
  ++rows_;
  endInsertRows();
}

void DataSetModel::RowRemoved(int row) {
  beginRemoveRows(QModelIndex(), row, row);
  --rows_;
  endRemoveRows();
  // The rows after it moved up: their record numbers changed.
  const int last = rowCount() - 1;
  if (row <= last && columns_ > 0) emit dataChanged(index(row, 0), index(last, columns_ - 1));
}

void DataSetModel::RowChanged(int row) {
  if (row >= 0 && row < rowCount() && columns_ > 0) {
    emit dataChanged(index(row, 0), index(row, columns_ - 1));
  }
}

void DataSetModel::CurrentRowChanged(int row) { emit currentRowChanged(row); }

void DataSetModel::DataSetDestroyed() {
  beginResetModel();
  dataSet_ = nullptr;
  columns_ = 0;
  rows_ = 0;
  endResetModel();
}

}  // namespace tandor
