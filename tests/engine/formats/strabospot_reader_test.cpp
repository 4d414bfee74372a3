// StraboSpot project exports: faults and their lineations among the spots, senses
// from the fault type and the movement, and where each record stands in the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format_readers.h"
#include "reader_test_support.h"

namespace orvane {
namespace {

using Lines = std::vector<std::string>;

// A small project written for these tests: two spots, a bedding plane that is no
// fault, a fault with two lineations, one given by its strike, oblique types.
const char kProject[] = R"({
  "projectDb": {"description": {"project_name": "Test ridge"}},
  "spotsDb": {
    "1001": {
      "type": "Feature",
      "properties": {
        "name": "R-12",
        "id": 1001,
        "orientation_data": [
          {"type": "planar_orientation", "feature_type": "bedding", "strike": 10, "dip": 20},
          {
            "type": "planar_orientation",
            "feature_type": "fault",
            "dip_direction": 120,
            "dip": 30,
            "fault_or_sz_type": "normal",
            "associated_orientation": [
              {"type": "linear_orientation", "trend": 45, "plunge": 20},
              {"type": "linear_orientation", "trend": 50.5, "plunge": 22}
            ]
          },
          {
            "type": "planar_orientation",
            "feature_type": "fault",
            "strike": 30,
            "dip": 40,
            "fault_or_sz_type": "dextral_reverse",
            "associated_orientation": [{"type": "linear_orientation", "trend": 30, "plunge": 0}]
          }
        ]
      }
    },
    "1002": {
      "properties": {
        "name": "R-13",
        "id": 1002,
        "orientation_data": [
          {"type": "planar_orientation", "feature_type": "fault", "dip_direction": 120,
           "dip": 40, "fault_or_sz_type": "sinistral_normal",
           "associated_orientation": [{"type": "linear_orientation", "trend": 120, "plunge": 40}]},
          {"type": "planar_orientation", "feature_type": "fault", "dip_direction": 200,
           "dip": 70, "movement": "left_lateral",
           "associated_orientation": [{"type": "linear_orientation", "trend": 110, "plunge": 5}]},
          {"type": "planar_orientation", "feature_type": "fault", "dip_direction": 200,
           "dip": 70, "fault_or_sz_type": "strike_slip", "movement": "dextral"},
          {"type": "planar_orientation", "feature_type": "fault", "dip": 70,
           "fault_or_sz_type": "thrust",
           "associated_orientation": [{"type": "linear_orientation", "trend": 110, "plunge": 5}]}
        ]
      }
    }
  }
}
)";

TEST(StraboSpotReader, FaultsLineationsAndSenses) {
  const TranslatedBook book = ReadStraboSpotProject(kProject, {});
  const Lines expected = {
      "120 30 45 20 N # spot R-12; id 1001",
      "120 30 50.5 22 N # spot R-12; id 1001",
      "120 40 30 0 D # spot R-12; id 1001",    // strike 30, right-hand rule; along the strike
      "120 40 120 40 N # spot R-13; id 1002",  // down the dip: the dip-slip letter
      "200 70 110 5 S # spot R-13; id 1002",
      // no lineation; no sense from "strike_slip" nor from the movement "dextral"
      "200 70 ? # {\"type\":\"planar_orientation\",\"feature_type\":\"fault\",\"dip_direction\""
      ":200,\"dip\":70,\"fault_or_sz_type\":\"strike_slip\",\"movement\":\"dextral\"}",
      "? 110 5 R # {\"type\":\"planar_orientation\",\"feature_type\":\"fault\",\"dip\":70,"
      "\"fault_or_sz_type\":\"thrust\",\"associated_orientation\":[{\"type\":"
      "\"linear_orientation\",\"trend\":110,\"plunge\":5}]}",
  };
  EXPECT_EQ(book.lines, expected);
  // Each line names the line of its lineation, or of its fault without one.
  EXPECT_EQ(book.sourceLines, (std::vector<long>{18, 19, 28, 40, 43, 44, 48}));
  EXPECT_EQ(book.records, 7);
  EXPECT_EQ(testing::Convert(book.lines[5]).error, "error in liniation data");
}

TEST(StraboSpotReader, SpotsAsAListAndFieldsOfTheRun) {
  ReaderOptions options;
  options.lineation = false;
  const Lines lines = ReadStraboSpotProject(
                          R"({"spotsDb": [{"properties": {"orientation_data": [
                               {"type": "planar_orientation", "feature_type": "fault",
                                "dip_direction": "200", "dip": "70", "movement": "right_lateral"}
                             ]}, "id": 7}]})",
                          options)
                          .lines;
  EXPECT_EQ(lines, (Lines{"200 70 D # id 7"}));
}

TEST(StraboSpotReader, StopsOnWhatIsNoProject) {
  try {
    ReadStraboSpotProject("{\n  \"spotsDb\": {\n    \"1\": [\n}", {});
    FAIL();
  } catch (const ReaderStopped& e) {
    EXPECT_EQ(e.Line(), 4);
    EXPECT_TRUE(std::string(e.what()).starts_with("not a StraboSpot project: ")) << e.what();
  }
  try {
    ReadStraboSpotProject("{\"projectDb\": {}}", {});
    FAIL();
  } catch (const ReaderStopped& e) {
    EXPECT_STREQ(e.what(), "not a StraboSpot project: it has no \"spotsDb\"");
  }
  EXPECT_TRUE(ReadStraboSpotProject("{\"spotsDb\": {}}", {}).lines.empty());
  // Nesting beyond any export's stops before it costs the stack.
  const std::string deep =
      "{\"spotsDb\": " + std::string(100000, '[') + std::string(100000, ']') + "}";
  try {
    ReadStraboSpotProject(deep, {});
    FAIL();
  } catch (const ReaderStopped& e) {
    EXPECT_STREQ(e.what(), "not a StraboSpot project: nested more than 64 levels deep");
  }
}

}  // namespace
}  // namespace orvane
