#include <gtest/gtest.h>

#include "link/LinkFailure.h"

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

using F = link::LinkFailure;

TEST(LinkFailure, EachFailureHasItsTextAndOnlyThePortsCarryDetails) {
  struct Case {
    F failure;
    std::string text;
    bool unreachable;
  } cases[] = {
      {F::CannotOpen(3, "COM3 (/dev/ttyS2): busy"), "Cannot access COM 3." + A, true},
      {F::CannotOpen(-2, ""), "Cannot access COM-2." + A, true},
      {F::Overflow(), "COM buffer overflow." + A, true},
      {F::Driver(D::kNoEcho), "Cannot access COM port" + A, true},
      {F::Driver(D::kNoAnswer), "No answer from transceiver." + A, true},
      {F::Driver(D::kInvalidAnswer), "Illegal data." + A, false},
      {F::Driver(D::kCountMismatch), "Data counter error." + A, false},
      {F::Driver(D::kImageRefused), "Data overflow." + A, false},
      {F::Driver(D::kNeverSet), "Cannot write cloning data." + B, false},
      {F::Driver(D::kWriteRefused), "Cannot write cloning data." + B, false},
      {F::Driver(D::kWriteNotSent),
       "Cannot Clone.\r\n\r\nCheck the following:\r\n\r\n- The COM port settings.\r\n- Cloning cable connections.\r\n"
       "- Transceiver power is ON.",
       false},
      {F::Sequencer(S::kNone), "Communication failed." + B, false},
      {F::Sequencer(S::kSubRefused), "Version number does not match\r\nfor this transceiver.", false},
      {F::Sequencer(S::kNotCompatible), "Connected transceiver is not compatible model." + C, false},
      {F::Sequencer(S::kModelDiffers), "Cannot Clone." + A, false},
      {F::Sequencer(S::kDriverFailed), "Cannot Clone." + A, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.failure.Text(), c.text);
    EXPECT_EQ(c.failure.Unreachable(), c.unreachable) << c.text;
  }
  EXPECT_EQ(F::CannotOpen(3, "COM3 (/dev/ttyS2): busy").Detail(), "COM3 (/dev/ttyS2): busy");
  EXPECT_NE(F::CannotOpen(3, "COM3 (/dev/ttyS2): permission denied").Detail().find("adduser $USER dialout"),
            std::string::npos);
  EXPECT_EQ(F::Driver(D::kNoAnswer).Detail(), "");
}
