#include "data/HtmlReportWriter.h"

#include <QDir>
#include <QSaveFile>
#include <string_view>
#include <vector>

#include "data/AdoQuery.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/Gbk.h"

namespace tandor {
namespace {

bool NeedsEscaping(QStringView text) {
  for (const QChar c : text) {
    if (c == u'&' || c == u'<' || c == u'>' || c == u'"') return true;
  }
  return false;
}

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kCellStart = "<td>";
constexpr std::string_view kCellEnd = "</td>\r\n";

}  // namespace

QString HtmlReportWriter::Escaped(const QString& text) {
  if (!NeedsEscaping(text)) return text;
  QString out;
  out.reserve(text.size() + 16);
  for (const QChar c : text) {
    switch (c.unicode()) {
      case u'&':
        out += u"&amp;";
        break;
      case u'<':
        out += u"&lt;";
        break;
      case u'>':
        out += u"&gt;";
        break;
      case u'"':
        out += u"&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void HtmlReportWriter::AppendLine(QStringView line) {
  appendGbk(page_, line);
  page_ += kLineEnd;
}

void HtmlReportWriter::AppendCell(QStringView text) {
  page_ += kCellStart;
  if (NeedsEscaping(text)) {
    appendGbk(page_, Escaped(text.toString()));
  } else {
    appendGbk(page_, text);
  }
  page_ += kCellEnd;
}

HtmlReportWriter::HtmlReportWriter() : reportDate_(Clock::shortDate(Clock::today())) {}

QString HtmlReportWriter::ReportPath(const QString& baseName) const {
  return AppPaths::beside(QStringLiteral("Html/") + baseName + ReportDate() +
                          QStringLiteral(".htm"));
}

void HtmlReportWriter::AddHead(const QString& title) {
  AppendLine(
      u"<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      u"\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\"> ");
  AppendLine(u"<html xmlns=\"http://www.w3.org/1999/xhtml\">");
  AppendLine(u"<head>");
  AppendLine(u"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=GB2312\" />");
  AppendLine(QStringLiteral("<title>") + Escaped(title) + ReportDate() +
             QStringLiteral("</title>"));
  AppendLine(u"<script language=\"javascript\" src=\"../Img/showdata.js\"></script>");
  AppendLine(u"<link href=\"../CSS/showdata.css\" rel=\"stylesheet\" type=\"text/css\" />");
  AppendLine(u"</head>");
  AppendLine(u"<body>");
}

void HtmlReportWriter::AddTopBar(const QString& heading) {
  AppendLine(QStringLiteral("<div class=\"top\" style=\"font-family:微软雅黑\">Tandor - ") +
             Escaped(heading) + QStringLiteral("</div>"));
}

void HtmlReportWriter::OpenSection() { AppendLine(u"<div class=\"mainDiv\">"); }

void HtmlReportWriter::AddTip(const QString& iconFile, int iconSize, const QString& caption) {
  const QString size = QString::number(iconSize);
  AppendLine(QStringLiteral("<div class=\"tip\"><img src=\"../img/") + Escaped(iconFile) +
             QStringLiteral("\" alt=\"Google\" width=\"") + size + QStringLiteral("\" height=\"") +
             size + QStringLiteral("\" align=\"absmiddle\" />  <b>") + Escaped(caption) +
             QStringLiteral("</b></div>"));
}

void HtmlReportWriter::OpenTable(const QString& tableId) {
  AppendLine(QStringLiteral("<table border=\"0\" cellpadding=\"3\" cellspacing=\"1\" "
                            "class=\"resTable\" id=\"") +
             Escaped(tableId) + QStringLiteral("\">"));
}

void HtmlReportWriter::AddCaptionRow(const QStringList& titles) {
  AppendLine(u"<tr class=\"capTr\">");
  for (const QString& title : titles) AppendCell(title);
  AppendLine(u"</tr>");
}

void HtmlReportWriter::AddDataRows(AdoQuery& resultSet, int firstField) {
  ControlsDisabled quiet(resultSet);
  std::vector<AdoField*> fields;
  for (int i = std::max(firstField, 0); i < resultSet.FieldCount(); ++i) {
    fields.push_back(&resultSet.Field(i));
  }
  // About two dozen bytes for a cell and its line end; the page grows once, not per row.
  page_.reserve(page_.size() +
                qsizetype(resultSet.RecordCount()) * (qsizetype(fields.size()) + 2) * 24);
  resultSet.First();
  while (!resultSet.Eof()) {
    AppendLine(u"<tr>");
    for (const AdoField* field : fields) {
      // Text as stored, date-times as short date and long time (the date alone at midnight),
      // the record number as digits.
      if (field->IsNull()) {
        AppendLine(u"<td> </td>");
      } else {
        AppendCell(field->AsString());
      }
    }
    AppendLine(u"</tr>");
    resultSet.Next();
  }
  resultSet.First();
}

void HtmlReportWriter::CloseTable() { AppendLine(u"</table>"); }

void HtmlReportWriter::CloseSection() { AppendLine(u"</div>"); }

void HtmlReportWriter::AddSpacer() { AppendLine(u"<br><br>"); }

void HtmlReportWriter::AddRowColouring(const QStringList& tableIds) {
  for (const QString& id : tableIds) {
    AppendLine(QStringLiteral("<script>setTrColorEvent(\"") + Escaped(id) +
               QStringLiteral("\")</script>  "));
  }
}

void HtmlReportWriter::AddTail() {
  AppendLine(u"</body>");
  AppendLine(u"</html>");
}

void HtmlReportWriter::AddLine(const QString& line) { AppendLine(line); }

QStringList HtmlReportWriter::Lines() const {
  QStringList lines = fromGbk(page_).split(QStringLiteral("\r\n"));
  lines.removeLast();  // what follows the last line end
  return lines;
}

QByteArray HtmlReportWriter::Bytes() const {
  return QByteArray(page_.data(), static_cast<qsizetype>(page_.size()));
}

QString HtmlReportWriter::SaveReport(const QString& baseName) const {
  const QString path = ReportPath(baseName);
  // The new page goes to a temporary file in the same folder, which replaces the earlier report
  // only when it has been written whole; the folder itself is never created here.
  QSaveFile file(path);
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) {
    throw ReportFileError(QStringLiteral("无法创建文件 \"%1\"：%2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
  }
  const qint64 size = static_cast<qint64>(page_.size());
  if (file.write(page_.data(), size) != size || !file.commit()) {
    const QString reason = file.errorString();
    file.cancelWriting();
    throw ReportFileError(
        QStringLiteral("无法写入文件 \"%1\"：%2").arg(QDir::toNativeSeparators(path), reason));
  }
  return path;
}

}  // namespace tandor
