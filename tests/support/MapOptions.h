#pragma once
// An options file in memory: section and key to text.
#include <map>
#include <string>
#include <utility>

#include "common/OptionsFile.h"

namespace qxt::test {

class MapOptions : public common::OptionsFile {
 public:
  std::string ReadKey(const std::string& section, const std::string& key,
                      const std::string& defaultText) const override {
    auto it = values.find({section, key});
    return it == values.end() ? defaultText : it->second;
  }
  bool WriteKey(const std::string& section, const std::string& key, const std::string& text) override {
    values[{section, key}] = text;
    return true;
  }

  std::map<std::pair<std::string, std::string>, std::string> values;
};

}  // namespace qxt::test
