#include "data/HtmlReportWriter.h"

#include <QDir>
#include <QSaveFile>
#include <vector>

#include "data/AdoQuery.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/Gbk.h"

namespace tandor {
namespace {


bool NeedsEscaping(const QString& text) {
  for (const QChar c : text) {
    if (c == u'&' || c == u'<' || c == u'>' || c == u'"') return true;
  }
  return false;
}

QString Cell(const QString& text) {
  return QStringLiteral("<td>") + text + QStringLiteral("</td>");
}

}  // namespace

QString HtmlReportWriter::Escaped(const QString& text) {
  if (!NeedsEscaping(text)) return text;
  QString out;
  out.reserve(text.size() + 16);
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'&':
        out += QStringLiteral("&amp;");
        break;
      case u'<':
        out += QStringLiteral("&lt;");
        break;
      case u'>':
        out += QStringLiteral("&gt;");
        break;
      case u'"':
        out += QStringLiteral("&quot;");
        break;
      default:
        out += c;
    }
  }
  return out;
}

QString HtmlReportWriter::ReportDate() { return Clock::shortDate(Clock::today()); }

QString HtmlReportWriter::ReportPath(const QString& baseName) {
  return AppPaths::beside(QStringLiteral("Html/") + baseName + ReportDate() +
                          QStringLiteral(".htm"));
}

void HtmlReportWriter::AddHead(const QString& title) {
  lines_ << QStringLiteral(
                "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
                "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\"> ")
         << QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\">")
         << QStringLiteral("<head>")
         << QStringLiteral(
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GB2312\" />")
         << QStringLiteral("<title>") + Escaped(title) + ReportDate() + QStringLiteral("</title>")
         << QStringLiteral("<script language=\"javascript\" src=\"../Img/showdata.js\"></script>")
         << QStringLiteral(
                "<link href=\"../CSS/showdata.css\" rel=\"stylesheet\" type=\"text/css\" />")
         << QStringLiteral("</head>") << QStringLiteral("<body>");
}

void HtmlReportWriter::AddTopBar(const QString& heading) {
  lines_ << QStringLiteral("<div class=\"top\" style=\"font-family:微软雅黑\">Tandor - ") +
                Escaped(heading) + QStringLiteral("</div>");
}

void HtmlReportWriter::OpenSection() { lines_ << QStringLiteral("<div class=\"mainDiv\">"); }

void HtmlReportWriter::AddTip(const QString& iconFile, int iconSize, const QString& caption) {
  const QString size = QString::number(iconSize);
  lines_ << QStringLiteral("<div class=\"tip\"><img src=\"../img/") + Escaped(iconFile) +
                QStringLiteral("\" alt=\"Google\" width=\"") + size +
                QStringLiteral("\" height=\"") + size +
                QStringLiteral("\" align=\"absmiddle\" />  <b>") + Escaped(caption) +
                QStringLiteral("</b></div>");
}

void HtmlReportWriter::OpenTable(const QString& tableId) {
  lines_ << QStringLiteral(
                "<table border=\"0\" cellpadding=\"3\" cellspacing=\"1\" class=\"resTable\" "
                "id=\"") +
                Escaped(tableId) + QStringLiteral("\">");
}

void HtmlReportWriter::AddCaptionRow(const QStringList& titles) {
  lines_ << QStringLiteral("<tr class=\"capTr\">");
  for (const QString& title : titles) lines_ << Cell(Escaped(title));
  lines_ << QStringLiteral("</tr>");
}

void HtmlReportWriter::AddDataRows(AdoQuery& resultSet, int firstField) {
  ControlsDisabled quiet(resultSet);
  std::vector<AdoField*> fields;
  for (int i = std::max(firstField, 0); i < resultSet.FieldCount(); ++i) {
    fields.push_back(&resultSet.Field(i));
  }
  const QString blankCell = QStringLiteral("<td> </td>");
  resultSet.First();
  lines_.reserve(lines_.size() + resultSet.RecordCount() * (static_cast<int>(fields.size()) + 2));
  while (!resultSet.Eof()) {
    lines_ << QStringLiteral("<tr>");
    for (const AdoField* field : fields) {
      // Text as stored, date-times as short date and long time (the date alone at midnight),
      // the record number as digits.
      lines_ << (field->IsNull() ? blankCell : Cell(Escaped(field->AsString())));
    }
    lines_ << QStringLiteral("</tr>");
    resultSet.Next();
  }
  resultSet.First();
}

void HtmlReportWriter::CloseTable() { lines_ << QStringLiteral("</table>"); }

void HtmlReportWriter::CloseSection() { lines_ << QStringLiteral("</div>"); }

void HtmlReportWriter::AddSpacer() { lines_ << QStringLiteral("<br><br>"); }

void HtmlReportWriter::AddRowColouring(const QStringList& tableIds) {
  for (const QString& id : tableIds) {
    lines_ << QStringLiteral("<script>setTrColorEvent(\"") + Escaped(id) +
                  QStringLiteral("\")</script>  ");
  }
}

void HtmlReportWriter::AddTail() {
  lines_ << QStringLiteral("</body>") << QStringLiteral("</html>");
}

void HtmlReportWriter::AddLine(const QString& line) { lines_ << line; }

QByteArray HtmlReportWriter::Bytes() const {
  qsizetype size = 0;
  for (const QString& line : lines_) size += line.size() + 2;
  QString page;
  page.reserve(size);
  for (const QString& line : lines_) {
    page += line;
    page += QStringLiteral("\r\n");
  }
  const GbkText bytes = toGbk(page);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString HtmlReportWriter::SaveReport(const QString& baseName) const {
  const QString path = ReportPath(baseName);
  const QByteArray bytes = Bytes();
  // The new page goes to a temporary file in the same folder, which replaces the earlier report
  // only when it has been written whole; the folder itself is never created here.
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    throw ReportFileError(QStringLiteral("无法创建文件 \"%1\"：%2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
  }
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    throw ReportFileError(
        QStringLiteral("无法写入文件 \"%1\"：%2").arg(QDir::toNativeSeparators(path), reason));
  }
  return path;
}

}  // namespace tandor
