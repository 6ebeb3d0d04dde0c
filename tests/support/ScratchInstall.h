#pragma once
// A scratch copy of what lies beside the executable: a fresh delivered database, the Html folder
// and the assets. The program's paths point at it for as long as the object lives.
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace tandor::testing {

class ScratchInstall {
 public:
  // withDataModule: also creates the data module on the scratch database.
  explicit ScratchInstall(bool withDataModule = true);
  ~ScratchInstall();
  QString dir() const { return dir_.path(); }
  QString databasePath() const;
  // Runs one statement on the scratch database through a connection of its own.
  void exec(const QString& sql) const;
  // The rows of a query on the scratch database, each as its column texts.
  QList<QStringList> rows(const QString& sql) const;
  // The CREATE statement of a table as the database keeps it, or empty.
  QString tableSql(const QString& table) const;

 private:
  QTemporaryDir dir_;
};

}  // namespace tandor::testing
