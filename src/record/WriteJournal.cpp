#include "record/WriteJournal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace qxt::record {

namespace {

const char kHex[] = "0123456789abcdef";

std::string Hex(const uint8_t* data, size_t size) {
  std::string out;
  out.reserve(size * 2);
  for (size_t i = 0; i < size; ++i) {
    out += kHex[data[i] >> 4];
    out += kHex[data[i] & 15];
  }
  return out;
}

bool Unhex(const std::string& text, Bytes& out) {
  if (text.size() % 2 != 0) return false;
  auto nibble = [](char c) { return c >= 'a' ? c - 'a' + 10 : c - '0'; };
  out.clear();
  for (size_t i = 0; i < text.size(); i += 2) {
    out.push_back(static_cast<uint8_t>(nibble(text[i]) * 16 + nibble(text[i + 1])));
  }
  return true;
}

// Fields: "-" null, "iN" a number, "tHEX" text, "bHEX" bytes; separated by spaces.
std::string FieldText(const Field& f) {
  if (std::holds_alternative<int64_t>(f)) return "i" + std::to_string(std::get<int64_t>(f));
  if (const auto* text = std::get_if<std::string>(&f)) {
    return "t" + Hex(reinterpret_cast<const uint8_t*>(text->data()), text->size());
  }
  if (const auto* bytes = std::get_if<Bytes>(&f)) return "b" + Hex(bytes->data(), bytes->size());
  return "-";
}

bool FieldOf(const std::string& word, Field& f) {
  if (word == "-") {
    f = std::monostate{};
    return true;
  }
  if (word.empty()) return false;
  const std::string rest = word.substr(1);
  Bytes bytes;
  switch (word[0]) {
    case 'i':
      try {
        f = static_cast<int64_t>(std::stoll(rest));
      } catch (const std::exception&) {
        return false;
      }
      return true;
    case 't':
      if (!Unhex(rest, bytes)) return false;
      f = std::string(bytes.begin(), bytes.end());
      return true;
    case 'b':
      if (!Unhex(rest, bytes)) return false;
      f = std::move(bytes);
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string WriteJournal::Encode(const PendingWrite& w) {
  std::string line = "w " + std::to_string(static_cast<int>(w.kind)) + " " + std::to_string(w.session) + " " +
                     std::to_string(w.procedure);
  for (const Field& f : w.fields) line += " " + FieldText(f);
  return line + " .";
}

bool WriteJournal::Decode(const std::string& line, PendingWrite& w) {
  std::istringstream in(line);
  std::string tag, word;
  int kind = -1;
  if (!(in >> tag >> kind >> w.session >> w.procedure) || tag != "w" || kind < 0 || kind >= kWriteKinds) return false;
  w.kind = static_cast<WriteKind>(kind);
  w.fields.clear();
  while (in >> word) {
    if (word == ".") return true;  // the line is complete
    Field f;
    if (!FieldOf(word, f)) return false;
    w.fields.push_back(std::move(f));
  }
  return false;
}

bool WriteJournal::Append(const std::vector<PendingWrite>& writes) const {
  const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  std::string text;
  for (const PendingWrite& w : writes) text += Encode(w) + "\n";
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool ok = done == text.size() && ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

std::vector<PendingWrite> WriteJournal::Read() const {
  std::vector<PendingWrite> out;
  std::ifstream in(path_);
  std::string line;
  while (std::getline(in, line)) {
    PendingWrite w;
    if (Decode(line, w)) out.push_back(std::move(w));
  }
  return out;
}

void WriteJournal::Remove() const { std::remove(path_.c_str()); }

}  // namespace qxt::record
