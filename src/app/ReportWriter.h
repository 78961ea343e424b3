#pragma once
// Writes a service report: as the HTML it is when the file name ends in .html or .htm (its
// pictures inside it), as an A4 PDF otherwise. The file appears whole or not at all; an existing
// file of that name stays as it was until the new one is complete.

#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "record/RecordReader.h"

namespace qxt::app {

class ReportWriter {
 public:
  // A picture the report's HTML names in an <img src="name">.
  struct Figure {
    QString name;
    QImage image;
  };

  // "" when written, else why not.
  static QString Save(const std::string& html, const QString& path, const std::vector<Figure>& figures = {});
  // The report of a session with the plot of each of its procedures. technician: the name to
  // print when the session recorded none.
  static QString SaveSession(const record::RecordReader& reader, int64_t session, const std::string& technician,
                             const QString& path);
  static bool IsHtml(const QString& path);
};

}  // namespace qxt::app
