#include <gtest/gtest.h>

#include "link/CloneErrorText.h"

using namespace qxt;

namespace {

const std::string A =
    "\r\n\r\nCheck the following:\r\n- The COM port settings.\r\n- Cloning cable connections.\r\n"
    "- Transceiver power is ON.";
const std::string B = "\r\n\r\nCheck the following:\r\n- Cloning cable connections.\r\n- Transceiver power is ON.";
const std::string C =
    "\r\n\r\nCheck the following:\r\n- Appropriate cloning software for the transceiver is being "
    "used.\r\n- The revision number of the transceiver.";

}  // namespace

TEST(CloneErrorText, EveryRuleInItsOrder) {
  struct Case {
    link::CloneErrorState state;
    std::string text;
  } cases[] = {
      {{true, true, 3, 2, 1}, "Cannot access COM 3." + A},
      {{true, false, -2, 0, 0}, "Cannot access COM-2." + A},
      {{false, true, 1, 2, 1}, "COM buffer overflow." + A},
      {{false, false, 1, 1, 4}, "Cannot access COM port" + A},
      {{false, false, 1, 2, 4}, "No answer from transceiver." + A},
      {{false, false, 1, 3, 0}, "Illegal data." + A},
      {{false, false, 1, 4, 0}, "Data counter error." + A},
      {{false, false, 1, 5, 0}, "Data overflow." + A},
      {{false, false, 1, 6, 0}, "Cannot write cloning data." + B},
      {{false, false, 1, 7, 0}, "Cannot write cloning data." + B},
      {{false, false, 1, 8, 0},
       "Cannot Clone.\r\n\r\nCheck the following:\r\n\r\n- The COM port settings.\r\n- Cloning cable connections.\r\n"
       "- Transceiver power is ON."},
      {{false, false, 1, 0, 0}, "Communication failed." + B},
      {{false, false, 1, 0, 2}, "Version number does not match\r\nfor this transceiver."},
      {{false, false, 1, 0, 3}, "Connected transceiver is not compatible model." + C},
      {{false, false, 1, 0, 1}, "Cannot Clone." + A},
      {{false, false, 1, 0, 4}, "Cannot Clone." + A},
  };
  for (const auto& c : cases) EXPECT_EQ(link::CloneErrorText(c.state), c.text);
}

TEST(CloneErrorText, RuleFourHasSixLines) {
  std::string text = link::CloneErrorText({false, false, 1, 2, 4});
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
  EXPECT_NE(text.back(), '\n');
}
