#include "app/ReportWriter.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace qxt::app {

bool ReportWriter::IsHtml(const QString& path) {
  return path.endsWith(".html", Qt::CaseInsensitive) || path.endsWith(".htm", Qt::CaseInsensitive);
}

QString ReportWriter::Save(const std::string& html, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return path + ": " + file.errorString();
  if (IsHtml(path)) {
    file.write(html.data(), static_cast<qint64>(html.size()));
  } else {
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setTitle("Service report");
    pdf.setCreator("QX-T7130 ADJ Rev.1.0");
    QTextDocument document;
    document.setHtml(QString::fromStdString(html));
    document.print(&pdf);
  }
  if (!file.commit()) return path + ": " + file.errorString();
  return {};
}

}  // namespace qxt::app
