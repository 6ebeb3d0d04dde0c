#pragma once
// The two panels of the frame bar: the column of query tool buttons and the data management
// buttons.
#include <QPushButton>
#include <QWidget>

namespace tandor {

class TFramejibengongneng : public QWidget {
  Q_OBJECT
 public:
  explicit TFramejibengongneng(QWidget* parent = nullptr);
  QPushButton* sBitBtn8;
  QPushButton* sBitBtn1;
  QPushButton* sBitBtn3;
  QPushButton* sBitBtn4;
  QPushButton* sBitBtn5;
  QPushButton* sBitBtn6;
  QPushButton* sBitBtn2;
  QPushButton* sBitBtn7;
};

class TFrameShuJuCaiDan : public QWidget {
  Q_OBJECT
 public:
  explicit TFrameShuJuCaiDan(QWidget* parent = nullptr);
  QPushButton* sBitBtn1;
  QPushButton* sBitBtn2;
};

}  // namespace tandor
