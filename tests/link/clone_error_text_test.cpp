#include <gtest/gtest.h>

#include "link/CloneErrorText.h"

using namespace qxt;

namespace {

using D = link::DriverError;
using S = link::SequencerError;

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
      {{true, true, 3, D::kNoAnswer, S::kModelDiffers}, "Cannot access COM 3." + A},
      {{true, false, -2, D::kNone, S::kNone}, "Cannot access COM-2." + A},
      {{false, true, 1, D::kNoAnswer, S::kModelDiffers}, "COM buffer overflow." + A},
      {{false, false, 1, D::kNoEcho, S::kDriverFailed}, "Cannot access COM port" + A},
      {{false, false, 1, D::kNoAnswer, S::kDriverFailed}, "No answer from transceiver." + A},
      {{false, false, 1, D::kInvalidAnswer, S::kNone}, "Illegal data." + A},
      {{false, false, 1, D::kCountMismatch, S::kNone}, "Data counter error." + A},
      {{false, false, 1, D::kImageRefused, S::kNone}, "Data overflow." + A},
      {{false, false, 1, D::kNeverSet, S::kNone}, "Cannot write cloning data." + B},
      {{false, false, 1, D::kWriteRefused, S::kNone}, "Cannot write cloning data." + B},
      {{false, false, 1, D::kWriteNotSent, S::kNone},
       "Cannot Clone.\r\n\r\nCheck the following:\r\n\r\n- The COM port settings.\r\n- Cloning cable connections.\r\n"
       "- Transceiver power is ON."},
      {{false, false, 1, D::kNone, S::kNone}, "Communication failed." + B},
      {{false, false, 1, D::kNone, S::kSubRefused}, "Version number does not match\r\nfor this transceiver."},
      {{false, false, 1, D::kNone, S::kNotCompatible}, "Connected transceiver is not compatible model." + C},
      {{false, false, 1, D::kNone, S::kModelDiffers}, "Cannot Clone." + A},
      {{false, false, 1, D::kNone, S::kDriverFailed}, "Cannot Clone." + A},
  };
  for (const auto& c : cases) EXPECT_EQ(link::CloneErrorText(c.state), c.text);
}

TEST(CloneErrorText, RuleFourHasSixLines) {
  std::string text = link::CloneErrorText({false, false, 1, D::kNoAnswer, S::kDriverFailed});
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
  EXPECT_NE(text.back(), '\n');
}
