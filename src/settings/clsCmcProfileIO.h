#pragma once
// One INI-style profile file: its name, directory and the section that saveData and loadData
// use, with typed values converted to and from their text in the file.

#include <cstdint>
#include <optional>
#include <string>

#include "settings/ProfileValue.h"

namespace qxt::settings {

class clsCmcProfileIO {
 public:
  // Sets Path and Name from a directory and file name.
  void FullPath(const std::string& s);
  std::string FullPath() const { return GetMyProfile(); }

  const std::string& Name() const { return name_; }
  void Name(const std::string& v) { name_ = v; }
  const std::string& Path() const { return path_; }
  void Path(const std::string& v) { path_ = v; }
  const std::string& Section() const { return section_; }
  void Section(const std::string& v) { section_ = v; }

  // Path = the directory of the running program, with a separator at its end.
  void SetCurrentPath();
  // Path followed directly by Name.
  std::string GetMyProfile() const { return path_ + name_; }

  // -1 when the key was written; 0 when the file could not be written or the kind is unsupported.
  int16_t saveData(const std::string& sKey, const ProfileValue& sData);
  // -1 when a text was found or the default applied; 0 otherwise. sData keeps its value when the
  // text cannot be converted to its kind. Without sDefaultData the current sData is the default.
  int16_t loadData(const std::string& sKey, ProfileValue& sData,
                   const std::optional<ProfileValue>& sDefaultData = std::nullopt) const;

  // A key of another section, without disturbing Section (the port map and the trace use it).
  std::string ReadKey(const std::string& section, const std::string& key, const std::string& defaultText) const;

  static std::string StripTerminator(const std::string& s);
  // The file-name part: the text after the last "/" or "\" (or after a ":" when there is none).
  static std::string GetFileName(std::string strPath);
  // The directory part without a trailing separator; the program's directory for a bare name.
  static std::string GetPathName(const std::string& strFilename);
  static std::string UCase16(const std::string& s) { return s; }

  // The directory of the running program (from /proc/self/exe), without a trailing "/".
  static std::string ProgramDirectory();

 private:
  std::string name_ = "Profile.INI";
  std::string path_;
  std::string section_;
};

}  // namespace qxt::settings
