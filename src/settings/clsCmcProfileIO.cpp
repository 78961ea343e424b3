#include "settings/clsCmcProfileIO.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

#include "common/Translate.h"
#include "settings/PrivateProfile.h"

namespace qxt::settings {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

std::string WithSeparator(const std::string& dir) { return (dir == "/" || dir == "\\") ? dir : dir + "/"; }

}  // namespace

void clsCmcProfileIO::setFullPath(const std::string& s) {
  path_ = WithSeparator(GetPathName(s));
  name_ = GetFileName(s);
}

void clsCmcProfileIO::SetCurrentPath() { path_ = WithSeparator(ProgramDirectory()); }

bool clsCmcProfileIO::saveData(const std::string& sKey, const ProfileValue& sData) {
  auto text = ProfileValueToText(sData);
  return text && WriteKey(section_, sKey, *text);
}

bool clsCmcProfileIO::loadData(const std::string& sKey, ProfileValue& sData,
                               const std::optional<ProfileValue>& sDefaultData) const {
  if (std::holds_alternative<std::monostate>(sData)) return false;
  if (sDefaultData && sDefaultData->index() != sData.index()) return false;
  auto defaultText = ProfileValueToText(sDefaultData ? *sDefaultData : sData);
  if (!defaultText) return false;
  std::string buffer;
  if (PrivateProfile::GetString(section_, sKey, *defaultText, buffer, 255, GetMyProfile()) == 0) return false;
  std::string text = StripTerminator(buffer);
  text.erase(text.find_last_not_of(' ') + 1);
  if (auto converted = ProfileValueFromText(text, sData)) sData = *converted;
  return true;
}

std::string clsCmcProfileIO::ReadKey(const std::string& section, const std::string& key,
                                     const std::string& defaultText) const {
  std::string out;
  PrivateProfile::GetString(section, key, defaultText, out, 4096, GetMyProfile());
  return StripTerminator(out);
}

bool clsCmcProfileIO::WriteKey(const std::string& section, const std::string& key, const std::string& text) {
  return PrivateProfile::WriteString(section, key, text, GetMyProfile());
}

std::string clsCmcProfileIO::SetAsideIfUnusable(const std::string& stamp) {
  const std::string file = GetMyProfile();
  std::string why;
  if (PrivateProfile::Usable(file, why)) return "";
  const bool large = why.rfind("holds", 0) == 0;
  const std::string aside = file + (large ? ".too-large-" : ".unreadable-") + stamp;
  std::error_code ec;
  std::filesystem::rename(file, aside, ec);
  if (ec) {
    return common::Compose(
        common::TrNoop("qxt", "The options file %1 %2, and cannot be moved aside (%3): the defaults apply."),
        {file, why, ec.message()});
  }
  return common::Compose(common::TrNoop("qxt", "The options file %1 %2: it was moved to %3 and the defaults apply."),
                         {file, why, aside});
}

std::string clsCmcProfileIO::StripTerminator(const std::string& s) { return s.substr(0, s.find('\0')); }

std::string clsCmcProfileIO::GetFileName(std::string strPath) {
  for (;;) {
    size_t pos = strPath.find_first_of("\\/");
    if (pos == std::string::npos) pos = strPath.find(':');
    if (pos == std::string::npos) return strPath;
    strPath.erase(0, pos + 1);
  }
}

std::string clsCmcProfileIO::GetPathName(const std::string& s) {
  size_t n = s.size();
  size_t first = s.find_first_of("\\/");
  size_t firstPos = first == std::string::npos ? 0 : first + 1;  // 1-based, 0 = none
  if (firstPos != n) {
    size_t last = s.find_last_of("\\/");
    n = last == std::string::npos ? 0 : last + 1;
  } else if (n > 1) {
    --n;
  }
  std::string p;
  if (n > 0) {
    p = s.substr(0, n);
    if (p.back() == ':') p += '\\';
  } else {
    p = ProgramDirectory();
  }
  if (!p.empty() && IsSeparator(p.back())) p.pop_back();
  return UCase16(p);
}

std::string clsCmcProfileIO::ProgramDirectory() {
  char buf[PATH_MAX];
  ssize_t len = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (len <= 0) return ".";
  std::string exe(buf, static_cast<size_t>(len));
  size_t slash = exe.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : exe.substr(0, slash);
}

}  // namespace qxt::settings
