#include "app/ReportWriter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

#include "app/PlotChart.h"
#include "record/ServiceReport.h"
#include "window/PlotData.h"

namespace qxt::app {

namespace {

const QSize kFigureSize(800, 440);

// Each picture inside the HTML itself, as a data URL, so the file stands on its own.
QByteArray WithPictures(const std::string& html, const std::vector<ReportWriter::Figure>& figures) {
  QByteArray out = QByteArray::fromStdString(html);
  for (const auto& f : figures) {
    QByteArray png;
    QBuffer buffer(&png);
    f.image.save(&buffer, "PNG");
    out.replace("src=\"" + f.name.toUtf8() + "\"", "src=\"data:image/png;base64," + png.toBase64() + "\"");
  }
  return out;
}

}  // namespace

bool ReportWriter::IsHtml(const QString& path) {
  return path.endsWith(".html", Qt::CaseInsensitive) || path.endsWith(".htm", Qt::CaseInsensitive);
}

QString ReportWriter::Save(const std::string& html, const QString& path, const std::vector<Figure>& figures) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return path + ": " + file.errorString();
  if (IsHtml(path)) {
    file.write(WithPictures(html, figures));
  } else {
    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setTitle("Service report");
    pdf.setCreator("QX-T7130 ADJ Rev.1.0");
    QTextDocument document;
    for (const auto& f : figures) document.addResource(QTextDocument::ImageResource, QUrl(f.name), f.image);
    document.setHtml(QString::fromStdString(html));
    document.print(&pdf);
  }
  if (!file.commit()) return path + ": " + file.errorString();
  return {};
}

QString ReportWriter::SaveSession(const record::RecordReader& reader, int64_t session, const std::string& technician,
                                  const QString& path) {
  std::string html;
  std::vector<Figure> figures;
  try {
    record::ServiceReport report(reader, session, technician);
    if (!report.found()) return QString("the service record has no session %1").arg(session);
    for (const record::ProcedureRow& p : reader.Procedures(session)) {
      const QString name = QString("plot-%1.png").arg(p.id);
      const window::PlotData plot = window::PlotData::FromRecord(p);
      figures.push_back({name, PlotChart::Render(plot, kFigureSize)});
      report.AddFigure(p.id, "<p><img src=\"" + name.toStdString() + "\" width=\"600\" alt=\"" +
                                 record::ServiceReport::Escape(plot.Describe()) + "\"></p>\n");
    }
    html = report.Html();
  } catch (const std::exception& e) {
    // A record of a schema this program does not know: a message, not a crash.
    return QString("the service record cannot be read (%1)").arg(e.what());
  }
  return Save(html, path, figures);
}

}  // namespace qxt::app
