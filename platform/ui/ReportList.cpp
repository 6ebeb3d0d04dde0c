#include "platform/ui/ReportList.h"

#include <QHeaderView>
#include <QSet>
#include <QStyledItemDelegate>

namespace tandor {
namespace {

// Centres the text of the chosen columns, whoever adds the rows.
class CentredColumns final : public QStyledItemDelegate {
 public:
  CentredColumns(QSet<int> columns, QObject* parent)
      : QStyledItemDelegate(parent), columns_(std::move(columns)) {}

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    if (columns_.contains(index.column())) option->displayAlignment = Qt::AlignCenter;
  }

 private:
  QSet<int> columns_;
};

}  // namespace

void configureReportList(QTreeWidget& list, const std::vector<ListColumn>& columns) {
  list.setColumnCount(static_cast<int>(columns.size()));
  QStringList titles;
  QSet<int> centred;
  for (size_t i = 0; i < columns.size(); ++i) {
    titles << columns[i].title;
    if (columns[i].centred) centred.insert(static_cast<int>(i));
  }
  list.setHeaderLabels(titles);
  for (size_t i = 0; i < columns.size(); ++i) {
    list.setColumnWidth(static_cast<int>(i), columns[i].width);
    if (columns[i].centred)
      list.headerItem()->setTextAlignment(static_cast<int>(i), Qt::AlignCenter);
  }
  list.setItemDelegate(new CentredColumns(centred, &list));
  list.setRootIsDecorated(false);
  list.setUniformRowHeights(true);
  list.setSelectionBehavior(QAbstractItemView::SelectRows);
  list.setSelectionMode(QAbstractItemView::ExtendedSelection);
  list.setEditTriggers(QAbstractItemView::NoEditTriggers);
  list.setAllColumnsShowFocus(true);
  list.setStyleSheet(QStringLiteral("QTreeWidget::item { border-right: 1px solid #d0d0d0; "
                                    "border-bottom: 1px solid #d0d0d0; }"));
}

}  // namespace tandor
