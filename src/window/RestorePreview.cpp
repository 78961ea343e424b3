#include "window/RestorePreview.h"

#include <algorithm>

#include "common/Common.h"
#include "common/Translate.h"

namespace qxt::window {

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
    caution_ = common::Compose(common::TrNoop("qxt",
                                              "Caution: every byte of this file is %1: it holds no radio's memory, "
                                              "and a radio restored from it will not work."),
                               {common::ByteToHex2(file[0])});
  }
}

std::string RestorePreview::Summary(const std::string& fileName) const {
  std::string text =
      common::Compose(common::TrNoop("qxt", "Restore the radio from %1."), {fileName}) + "\n\n" +
      common::Compose(
          common::TrNoop("qxt",
                         "The whole memory of the radio is written from this file, memory channels "
                         "included: %1 of its bytes differ from the radio's memory, %2 of the %3 "
                         "parameter lines below (marked *)."),
          {std::to_string(bytesDiffering_), std::to_string(linesDiffering_), std::to_string(radioRows_.size())});
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

}  // namespace qxt::window
