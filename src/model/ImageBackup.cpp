#include "model/ImageBackup.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/XdgDirectory.h"

namespace qxt::model {

std::string ImageBackup::Directory() {
  return common::XdgDirectory("XDG_DATA_HOME", ".local/share") + "/qxt7130-adj/images";
}

std::string ImageBackup::Save(const Bytes& image, const std::string& model, const std::string& sub, std::time_t when) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path dir = Directory();
  fs::create_directories(dir, ec);
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string stem = model + "-" + sub + "-" + stamp;
  fs::path file = dir / (stem + ".bin");
  for (int n = 2; fs::exists(file, ec) && n < 100; ++n) file = dir / (stem + "-" + std::to_string(n) + ".bin");
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "qxt7130-adj: cannot keep a backup of the image in %s\n", file.c_str());
    return {};
  }
  return file.string();
}

}  // namespace qxt::model
