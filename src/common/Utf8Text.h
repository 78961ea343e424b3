#pragma once
// Text from outside (an options file, a device name, a radio) as valid UTF-8: each byte that
// does not belong to a well-formed sequence becomes U+FFFD, so that nothing raw reaches a
// database, a CSV file or an HTML page.

#include <string>

namespace qxt::common {

std::string ValidUtf8(const std::string& text);

}  // namespace qxt::common
