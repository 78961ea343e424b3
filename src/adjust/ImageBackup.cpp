#include "adjust/ImageBackup.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>

#include "adjust/ImageFile.h"
#include "common/PrivateFiles.h"
#include "common/XdgDirectory.h"

namespace qxt::adjust {

namespace fs = std::filesystem;

namespace {

Bytes ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string ImageBackup::Directory() {
  return common::XdgDirectory("XDG_DATA_HOME", ".local/share") + "/qxt7130-adj/images";
}

// By the time stamp in the name, then the number of a later file of the same second.
std::string ImageBackup::Newest(const std::string& model, const std::string& sub) {
  const std::string prefix = model + "-" + sub + "-";
  std::error_code ec;
  std::string newest;
  std::pair<std::string, int> newestKey;
  for (const auto& entry : fs::directory_iterator(Directory(), ec)) {
    const std::string stem = entry.path().stem().string();
    if (stem.rfind(prefix, 0) != 0 || entry.path().extension() != ".bin") continue;
    const std::string rest = stem.substr(prefix.size());  // YYYYMMDD-HHMMSS, or with -N after it
    const std::pair<std::string, int> key{rest.substr(0, 15), rest.size() > 16 ? std::atoi(rest.c_str() + 16) : 1};
    if (newest.empty() || key > newestKey) {
      newest = entry.path().string();
      newestKey = key;
    }
  }
  return newest;
}

ImageBackup::Saved ImageBackup::Save(const Bytes& image, const std::string& model, const std::string& sub,
                                     std::time_t when, const std::string& mark) {
  std::error_code ec;
  const fs::path dir = Directory();
  common::MakePrivateDirectory(dir.string());  // customers' radios: for the user only
  if (const std::string newest = Newest(model, sub); !newest.empty() && ReadAll(newest) == image) {
    return {newest, "", true};
  }
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string stem = model + "-" + sub + "-" + stamp + mark;
  fs::path file = dir / (stem + ".bin");
  for (int n = 2; fs::exists(file, ec) && n < 100; ++n) file = dir / (stem + "-" + std::to_string(n) + ".bin");
  const fs::path part = file.string() + ".part";
  std::string why;
  if (!ImageFile::WriteDurably(part.string(), image, why)) {
    fs::remove(part, ec);
    return {"", "cannot write " + file.string() + " (" + why + ")", false};
  }
  fs::rename(part, file, ec);
  if (ec) {
    const std::string because = ec.message();
    fs::remove(part, ec);
    return {"", "cannot write " + file.string() + " (" + because + ")", false};
  }
  ImageFile::SyncFolder(dir.string());  // the file itself is on disk already; this keeps its name
  return {file.string(), "", false};
}

}  // namespace qxt::adjust
