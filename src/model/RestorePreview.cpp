#include "model/RestorePreview.h"

#include <algorithm>

#include "common/Common.h"

namespace qxt::model {

namespace {

std::string Trimmed(const std::string& text) {
  const size_t from = text.find_first_not_of(' ');
  return from == std::string::npos ? "" : text.substr(from, text.find_last_not_of(' ') - from + 1);
}

}  // namespace

RestorePreview::RestorePreview(const Bytes& radio, const Bytes& file, std::string provenance, std::string kept)
    : radioRows_(memory::ParameterListing::RowsOf(radio)),
      fileRows_(memory::ParameterListing::RowsOf(file)),
      provenance_(std::move(provenance)),
      kept_(std::move(kept)) {
  for (size_t a = 0; a < std::min(radio.size(), file.size()); ++a) bytesDiffering_ += radio[a] != file[a] ? 1 : 0;
  for (size_t line = 0; line < radioRows_.size(); ++line) linesDiffering_ += LineDiffers(line) ? 1 : 0;
  // A file of one byte value throughout (an erased or zeroed memory) is no radio's image.
  if (!file.empty() && std::all_of(file.begin(), file.end(), [&](uint8_t b) { return b == file[0]; })) {
    caution_ = "Caution: every byte of this file is " + common::ByteToHex2(file[0]) +
               ": it holds no radio's memory, and a radio restored from it will not work.";
  }
}

std::string RestorePreview::Summary(const std::string& fileName) const {
  std::string text = "Restore the radio from " + fileName +
                     ".\n\nThe whole memory of the radio is written from this file, memory channels included: " +
                     std::to_string(bytesDiffering_) + " of its bytes differ from the radio's memory, " +
                     std::to_string(linesDiffering_) + " of the " + std::to_string(radioRows_.size()) +
                     " parameter lines below (marked *).";
  for (const std::string* paragraph : {&caution_, &provenance_, &kept_}) {
    if (!paragraph->empty()) text += "\n\n" + *paragraph;
  }
  return text;
}

std::string RestorePreview::DifferingLines() const {
  std::string text;
  for (size_t line = 0; line < radioRows_.size(); ++line) {
    if (!LineDiffers(line)) continue;
    text += "* " + Trimmed(radioRows_[line].label) + " radio " + Trimmed(radioRows_[line].value) + ", file " +
            Trimmed(fileRows_[line].value) + "\n";
  }
  return text;
}

}  // namespace qxt::model
