#pragma once
// One INI-style profile file: its name, directory and the section that saveData and loadData
// use, with typed values converted to and from their text in the file.

#include <cstdint>
#include <optional>
#include <string>

#include "common/OptionsFile.h"
#include "settings/ProfileValue.h"

namespace qxt::settings {

class clsCmcProfileIO : public common::OptionsFile {
 public:
  // Sets Path and Name from a directory and file name.
  void setFullPath(const std::string& s);
  std::string fullPath() const { return GetMyProfile(); }

  const std::string& name() const { return name_; }
  void setName(const std::string& v) { name_ = v; }
  const std::string& path() const { return path_; }
  void setPath(const std::string& v) { path_ = v; }
  const std::string& section() const { return section_; }
  void setSection(const std::string& v) { section_ = v; }

  // Path = the directory of the running program, with a separator at its end.
  void SetCurrentPath();
  // Path followed directly by Name.
  std::string GetMyProfile() const { return path_ + name_; }
  // At the start: a file too large to be an options file, or one that does not read as one
  // (binary data), is moved aside (kept, renamed with the time) so the defaults apply and the next
  // save starts a new one. Returns what to tell the technician, or "" when the file is fine.
  std::string SetAsideIfUnusable(const std::string& stamp);

  // True when the key was written; false when the file could not be written or the kind is
  // unsupported.
  bool saveData(const std::string& sKey, const ProfileValue& sData);
  // True when a text was found or the default applied. sData keeps its value when the text cannot
  // be converted to its kind. Without sDefaultData the current sData is the default.
  bool loadData(const std::string& sKey, ProfileValue& sData,
                const std::optional<ProfileValue>& sDefaultData = std::nullopt) const;

  // Keys of any section, without disturbing Section (the port map and the trace use them).
  std::string ReadKey(const std::string& section, const std::string& key,
                      const std::string& defaultText) const override;
  bool WriteKey(const std::string& section, const std::string& key, const std::string& text) override;

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
