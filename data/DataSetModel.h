#pragma once
// A table model over a dataset, so that a grid shows its rows with one column per field and
// follows its current row (the data source of the data module).
#include <QAbstractTableModel>

#include "data/AdoQuery.h"

namespace tandor {

class DataSetModel : public QAbstractTableModel, private DataSetListener {
  Q_OBJECT

 public:
  explicit DataSetModel(QObject* parent = nullptr);
  ~DataSetModel() override;

  void SetDataSet(AdoQuery* dataSet);
  AdoQuery* DataSet() const { return dataSet_; }
  int fieldColumn(const QString& fieldName) const;  // -1 when the dataset has no such field
  int currentRow() const;                           // -1 when there is no current row

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  // DisplayRole: the field as text; EditRole: the field's value.
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 public slots:
  void setCurrentRow(int row);  // a grid's selection moves the dataset

 signals:
  void currentRowChanged(int row);

 private:
  void DataSetReset() override;
  void RowInserted(int row) override;
  void RowRemoved(int row) override;
  void RowChanged(int row) override;
  void CurrentRowChanged(int row) override;
  void DataSetDestroyed() override;

  AdoQuery* dataSet_ = nullptr;
  int columns_ = 0;
  int rows_ = 0;  // the rows the views know of; changes only between begin and end calls
};

}  // namespace tandor
