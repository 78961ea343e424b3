#include "app/RecordSetup.h"

#include "common/Common.h"
#include "settings/OptionsLocation.h"
#include "settings/clsCmcProfileIO.h"

namespace qxt::app {

// The same options file as the window's ("PJ5102K.rs" beside the program or in the user's
// configuration folder), only read.
record::RecordOptions RecordSetup::Options(std::vector<std::string>& notices) {
  settings::clsCmcProfileIO prof;
  prof.SetCurrentPath();
  prof.setName(std::string("PJ5102K") + ".rs");
  prof.setSection(common::kAppTitle);
  prof.setPath(settings::OptionsLocation::Choose(prof.path(), prof.name()));
  return record::RecordOptions::Load(prof, notices);
}

std::unique_ptr<record::ServiceRecord> RecordSetup::ForReading(std::ostream& err) {
  auto store = std::make_unique<record::ServiceRecord>(
      record::ServiceRecord::DefaultPath(), [] { return std::time(nullptr); }, record::ServiceRecord::Use::kReading);
  std::vector<std::string> notices;
  store->UseServer(Options(notices));
  for (const std::string& n : notices) err << "qxt7130-adj: " << n << "\n";
  return store;
}

}  // namespace qxt::app
