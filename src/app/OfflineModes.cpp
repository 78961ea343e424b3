#include "app/OfflineModes.h"

#include "memory/ParameterListing.h"
#include "model/ImageFile.h"

namespace qxt::app {

namespace {

std::string Trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b);
}

}  // namespace

int OfflineModes::List(const std::string& file, std::ostream& out, std::ostream& err) {
  std::string why;
  const auto image = model::ImageFile::Load(file, why);
  if (!image) {
    err << "qxt7130-adj: " << why << "\n";
    return 2;
  }
  for (const auto& row : memory::ParameterListing::RowsOf(*image)) out << row.label << row.value << "\n";
  return 0;
}

int OfflineModes::Diff(const std::string& a, const std::string& b, std::ostream& out, std::ostream& err) {
  std::string why;
  const auto first = model::ImageFile::Load(a, why);
  const auto second = first ? model::ImageFile::Load(b, why) : std::nullopt;
  if (!first || !second) {
    err << "qxt7130-adj: " << why << "\n";
    return 2;
  }
  const auto rowsA = memory::ParameterListing::RowsOf(*first);
  const auto rowsB = memory::ParameterListing::RowsOf(*second);
  int differing = 0;
  for (size_t i = 0; i < rowsA.size(); ++i) {
    if (rowsA[i].value == rowsB[i].value) continue;
    out << rowsA[i].label << Trimmed(rowsA[i].value) << " -> " << Trimmed(rowsB[i].value) << "\n";
    ++differing;
  }
  return differing == 0 ? 0 : 1;
}

}  // namespace qxt::app
