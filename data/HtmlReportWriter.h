#pragma once
// The page template of the HTML reports: a fixed head that loads the shared script and style
// sheet, a heading bar, titled sections with one table each, a script call per table that
// colours its rows, and the closing tags. The page is assembled line by line and saved in
// one step, in GBK with CR LF after every line, into the Html folder beside the executable.
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <string>

namespace tandor {

class AdoQuery;

// A report file that could not be written; its text is what the user reads in the error box.
class ReportFileError : public std::runtime_error {
 public:
  explicit ReportFileError(const QString& text) : runtime_error(text.toStdString()) {}
};

class HtmlReportWriter {
 public:
  HtmlReportWriter();

  void AddHead(const QString& title);
  void AddTopBar(const QString& heading);
  void OpenSection();
  void AddTip(const QString& iconFile, int iconSize, const QString& caption);
  // The first table of a page has the id "resTable", the next ones "resTable1", "resTable2".
  void OpenTable(const QString& tableId);
  void AddCaptionRow(const QStringList& titles);
  // One row per record of the result set, with the fields from firstField to the last one.
  // The result set ends on its first record; bound grids do not repaint meanwhile.
  void AddDataRows(AdoQuery& resultSet, int firstField);
  void CloseTable();
  void CloseSection();
  void AddSpacer();
  void AddRowColouring(const QStringList& tableIds);
  void AddTail();
  // A line of a report's own, taken as it is (callers escape the values they put into it).
  void AddLine(const QString& line);

  // Writes Html/<baseName><report date>.htm beside the executable, replacing an earlier file
  // only once the new one is complete, and returns its path. The Html folder must exist.
  // Throws ReportFileError when the file cannot be written; an earlier file then stays as it was.
  QString SaveReport(const QString& baseName) const;

  // The lines so far, without their line ends.
  QStringList Lines() const;
  // The page as it is saved: GBK, CR LF after every line.
  QByteArray Bytes() const;

  // The date of the title and of the file name, in the system's short date format: today's
  // when the writer was made, so that a page written across midnight keeps one date.
  const QString& ReportDate() const { return reportDate_; }
  // The path that SaveReport writes for a base name.
  QString ReportPath(const QString& baseName) const;
  // Text made safe to stand as element content or as a quoted attribute value.
  static QString Escaped(const QString& text);

 private:
  void AppendLine(QStringView line);
  void AppendCell(QStringView text);  // "<td>", the escaped text, "</td>"

  QString reportDate_;
  std::string page_;  // the lines in GBK, each followed by CR LF
};

}  // namespace tandor
