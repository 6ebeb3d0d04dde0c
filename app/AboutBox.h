#pragma once
#include <QDialog>
#include <QPushButton>

namespace tandor {

// The about box, made once at start-up and shown modally on request.
class TFrm_ABout : public QDialog {
  Q_OBJECT
 public:
  explicit TFrm_ABout(QWidget* parent = nullptr);
  QPushButton* sBitBtn1;
};

}  // namespace tandor
