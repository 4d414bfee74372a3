#include "slash_notation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orvane {
namespace {

TEST(SlashNotation, TheSidesThatMustPassIsNumber) {
  const std::string longTail = "45." + std::string(96, '0');  // 99 characters
  const struct {
    std::string token;
    std::optional<double> firstNumeric[2], bothNumeric[2];
  } cases[] = {
      {"120/45", {120, 45}, {120, 45}},
      {"-30/45.5", {-30, 45.5}, {-30, 45.5}},
      {"120/-0", {120, -0.0}, {120, -0.0}},
      // Only the first side is tested for planes and bedding.
      {"120/+45", {120, 45}, {}},
      {"120/4.5e1", {120, 45}, {}},
      {"120/ 45", {120, 45}, {}},
      {"+120/45", {}, {}},
      {"1e2/45", {}, {}},
      // Sides that pass IsNumber but are no numbers, and tokens without a "/".
      {"120/", {}, {}},
      {"/45", {}, {}},
      {"1.2.3/45", {}, {}},
      {"-/45", {}, {}},
      {"120/45/10", {}, {}},
      {"120/45S", {}, {}},
      {"12a/45", {}, {}},
      {"12045", {}, {}},
      // Only 99 characters after the "/" are read.
      {"120/" + longTail + "x", {120, 45}, {120, 45}},
      {"120/" + longTail.substr(1) + "x", {}, {}},
  };
  for (const auto& c : cases) {
    for (const auto sides : {SlashSides::FirstNumeric, SlashSides::BothNumeric}) {
      const auto& want = sides == SlashSides::FirstNumeric ? c.firstNumeric : c.bothNumeric;
      const auto got = ReadSlashPair(c.token, sides);
      ASSERT_EQ(got.has_value(), want[0].has_value()) << c.token;
      if (!got) continue;
      EXPECT_EQ(got->first, *want[0]) << c.token;
      EXPECT_EQ(got->second, *want[1]) << c.token;
    }
  }
}

}  // namespace
}  // namespace orvane
