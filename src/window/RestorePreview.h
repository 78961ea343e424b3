#pragma once
// What a restore would do, said the same way by the window's dialog and by --restore before
// anything is written: the 67 parameter lines of the radio and of the file side by side, how many
// bytes and lines differ, what the service record knows of the file, a file that holds no
// radio's memory at all, and where the radio's memory as it is now is kept.

#include <cstddef>
#include <string>
#include <vector>

#include "common/Bytes.h"
#include "memory/ParameterListing.h"

namespace qxt::window {

class RestorePreview {
 public:
  // provenance: what the record knows of the file ("" when the record is off); kept: where the
  // radio's memory as read is kept, as a sentence.
  RestorePreview(const Bytes& radio, const Bytes& file, std::string provenance, std::string kept);

  const std::vector<memory::ParameterRow>& radioRows() const { return radioRows_; }
  const std::vector<memory::ParameterRow>& fileRows() const { return fileRows_; }
  bool LineDiffers(size_t line) const { return radioRows_[line].value != fileRows_[line].value; }
  size_t bytesDiffering() const { return bytesDiffering_; }
  size_t linesDiffering() const { return linesDiffering_; }
  // The paragraphs above the listing, separated by empty lines.
  std::string Summary(const std::string& fileName) const;
  // The lines that differ, one a line: the label, the radio's value, the file's value.
  std::string DifferingLines() const;

 private:
  std::vector<memory::ParameterRow> radioRows_, fileRows_;
  size_t bytesDiffering_ = 0, linesDiffering_ = 0;
  std::string provenance_, kept_, caution_;
};

}  // namespace qxt::window
