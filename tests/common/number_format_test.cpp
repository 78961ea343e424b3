#include <gtest/gtest.h>

#include "common/NumberFormat.h"

using namespace qxt;

TEST(NumberFormat, PatternsOfTheProgram) {
  EXPECT_EQ(common::FormatNumber(10.0, "##0.#0V"), "10.00V");
  EXPECT_EQ(common::FormatNumber(0.0, "##0.#0V"), "0.00V");
  EXPECT_EQ(common::FormatNumber(128 * 5 / 255.0, "##0.#0V"), "2.51V");
  EXPECT_EQ(common::FormatNumber(439.041101, "###0.#####0"), "439.041101");
  EXPECT_EQ(common::FormatNumber(146.0, "###0.#####0"), "146.000000");
  EXPECT_EQ(common::FormatNumber(1.0, "0.00%"), "100.00%");
  EXPECT_EQ(common::FormatNumber(128 / 255.0, "0.00%"), "50.20%");
  EXPECT_EQ(common::FormatNumber(400.0, "###0.##0"), "400.000");
  EXPECT_EQ(common::FormatNumber(0.0, "###0.##0"), "0.000");
  EXPECT_EQ(common::FormatNumber(25.0, "###.#0'C"), "25.00'C");
}

TEST(NumberFormat, LeadingPointWithoutZeroPlaceholder) {
  EXPECT_EQ(common::FormatNumber(0.5, "###.#0'C"), ".50'C");
  EXPECT_EQ(common::FormatNumber(0.0, "###.#0'C"), ".00'C");
  EXPECT_EQ(common::FormatNumber(-0.5, "###.#0'C"), "-.50'C");
}

TEST(NumberFormat, RoundsHalfAwayFromZeroOnTheDecimalForm) {
  EXPECT_EQ(common::FormatNumber(2.675, "0.00"), "2.68");  // binary 2.67499999... still rounds up
  EXPECT_EQ(common::FormatNumber(0.125, "0.00"), "0.13");
  EXPECT_EQ(common::FormatNumber(9.995, "##0.#0V"), "10.00V");
  EXPECT_EQ(common::FormatNumber(-2.675, "0.00"), "-2.68");
  EXPECT_EQ(common::FormatNumber(999.9996, "###0.##0"), "1000.000");
}

TEST(NumberFormat, NegativeValuesAndSignOfZero) {
  EXPECT_EQ(common::FormatNumber(-12.345, "###.#0'C"), "-12.35'C");
  EXPECT_EQ(common::FormatNumber(-0.001, "0.00"), "0.00");  // rounds to zero: no minus
}

TEST(NumberFormat, OptionalDecimalsAfterTheLastZeroAreDropped) {
  EXPECT_EQ(common::FormatNumber(1.5, "0.0##"), "1.5");
  EXPECT_EQ(common::FormatNumber(1.25, "0.0##"), "1.25");
  EXPECT_EQ(common::FormatNumber(7.0, "00"), "07");
  EXPECT_EQ(common::FormatNumber(1234567.0, "#0"), "1234567");
  EXPECT_EQ(common::FormatNumber(1e-20, "0.00"), "0.00");
}
