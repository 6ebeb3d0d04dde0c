#pragma once
// Files that lie beside the executable: the database, the report folder, the PageRank pictures.
// Tests point the base folder at a scratch copy.
#include <QString>

namespace tandor {

class AppPaths {
 public:
  // The executable's folder, or the folder set for tests.
  static QString baseDir();
  static void setBaseDir(const QString& directory);  // empty: back to the executable's folder
  // baseDir() + "/" + relative.
  static QString beside(const QString& relative);
  static QString databasePath() { return beside(QStringLiteral("data/data.mdb")); }
};

}  // namespace tandor
