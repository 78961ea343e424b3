#pragma once
// Writes a service report: as the HTML it is when the file name ends in .html or .htm, as an
// A4 PDF otherwise. The file appears whole or not at all; an existing file of that name stays
// as it was until the new one is complete.

#include <QString>
#include <string>

namespace qxt::app {

class ReportWriter {
 public:
  // "" when written, else why not.
  static QString Save(const std::string& html, const QString& path);
  static bool IsHtml(const QString& path);
};

}  // namespace qxt::app
