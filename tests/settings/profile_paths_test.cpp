#include <gtest/gtest.h>

#include <cstdlib>

#include "settings/OptionsLocation.h"
#include "settings/clsCmcProfileIO.h"
#include "support/TempDir.h"

using namespace qxt;
using namespace qxt::test;

TEST(ProfilePaths, SplitTheDocumentedExamples) {
  const std::string progDir = settings::clsCmcProfileIO::ProgramDirectory();
  EXPECT_EQ(settings::clsCmcProfileIO::GetPathName("C:\\dir\\a.ini"), "C:\\dir");
  EXPECT_EQ(settings::clsCmcProfileIO::GetPathName("C:\\a.ini"), "C:");
  EXPECT_EQ(settings::clsCmcProfileIO::GetPathName("\\a.ini"), "");
  EXPECT_EQ(settings::clsCmcProfileIO::GetPathName("C:\\"), "C:");
  EXPECT_EQ(settings::clsCmcProfileIO::GetPathName("a.ini"), progDir);
  EXPECT_EQ(settings::clsCmcProfileIO::GetPathName("/home/tech/PJ5102K.rs"), "/home/tech");
  EXPECT_EQ(settings::clsCmcProfileIO::GetPathName("/a.ini"), "");
  EXPECT_EQ(settings::clsCmcProfileIO::GetFileName("C:\\dir\\a.ini"), "a.ini");
  EXPECT_EQ(settings::clsCmcProfileIO::GetFileName("C:a.ini"), "a.ini");
  EXPECT_EQ(settings::clsCmcProfileIO::GetFileName("/opt/x/PJ5102K.rs"), "PJ5102K.rs");
  EXPECT_EQ(settings::clsCmcProfileIO::StripTerminator(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(settings::clsCmcProfileIO::StripTerminator(std::string("\0x", 2)), "");
  EXPECT_EQ(settings::clsCmcProfileIO::StripTerminator("abc"), "abc");
}

TEST(ProfilePaths, FullPathAndCurrentPath) {
  settings::clsCmcProfileIO prof;
  EXPECT_EQ(prof.GetMyProfile(), "Profile.INI");  // a fresh object has no directory
  prof.setFullPath("/opt/qxt/PJ5102K.rs");
  EXPECT_EQ(prof.path(), "/opt/qxt/");
  EXPECT_EQ(prof.name(), "PJ5102K.rs");
  prof.setFullPath("/a.ini");
  EXPECT_EQ(prof.path(), "/");
  EXPECT_EQ(prof.fullPath(), "/a.ini");
  prof.SetCurrentPath();
  EXPECT_EQ(prof.path(), settings::clsCmcProfileIO::ProgramDirectory() + "/");
}

TEST(OptionsLocation, BesideTheProgramOnlyInItsBuildFolderOrWhereTheFileIs) {
  TempDir dir;
  const std::string prog = dir.path() + "/";
  setenv("XDG_CONFIG_HOME", "/xdg/config", 1);
  EXPECT_EQ(settings::OptionsLocation::Choose(prog, "PJ5102K.rs"), "/xdg/config/qxt7130-adj/");  // installed
  TempDir::Write(dir.file("CMakeCache.txt"), "");
  EXPECT_EQ(settings::OptionsLocation::Choose(prog, "PJ5102K.rs"), prog);  // a build folder
  TempDir other;
  TempDir::Write(other.file("PJ5102K.rs"), "");
  EXPECT_EQ(settings::OptionsLocation::Choose(other.path() + "/", "PJ5102K.rs"), other.path() + "/");
  EXPECT_EQ(settings::OptionsLocation::Choose("/nonexistent-qxt/", "PJ5102K.rs"), "/xdg/config/qxt7130-adj/");
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "/home/tech", 1);
  EXPECT_EQ(settings::OptionsLocation::UserConfigDirectory(), "/home/tech/.config/qxt7130-adj/");
}
