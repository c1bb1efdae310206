#include "core/presets/station_lookup.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orvaltic {
namespace {

struct UpperCase {
  std::string text;
  std::string upper;
};

class UpperTextTest : public ::testing::TestWithParam<UpperCase> {};

TEST_P(UpperTextTest, TurnsOnlyATilZIntoCapitals) {
  EXPECT_EQ(UpperText(GetParam().text), GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, UpperTextTest,
    ::testing::Values(UpperCase{"", ""}, UpperCase{"abcxyz", "ABCXYZ"},
                      UpperCase{"Jazz FM 88.5", "JAZZ FM 88.5"},
                      // The neighbours of a-z in ASCII stay as they are.
                      UpperCase{"`{@[", "`{@["},
                      // So do the bytes of accented letters, in UTF-8 and in Windows-1252.
                      UpperCase{"stra\xc3\x9f"
                                "e \xc3\xa4",
                                "STRA\xc3\x9f"
                                "E \xc3\xa4"},
                      UpperCase{"caf\xe9", "CAF\xe9"},
                      UpperCase{std::string("a\0b", 3), std::string("A\0B", 3)}));

struct LookupCase {
  std::string station_id;
  std::optional<int> preset;
  std::string frequency;
};

class FindStationTest : public ::testing::TestWithParam<LookupCase> {
 protected:
  FindStationTest() {
    presets.StationName(3) = "Jazz FM 88";
    presets.PresetFreq(3) = 97.3;
    presets.StationName(9) = "jazz fm";
    presets.PresetFreq(9) = 100.1;
    presets.StationName(20) = "Radio \xc3\xa4";
    presets.PresetFreq(20) = 90.0;
    presets.StationName(50) = "Talk";
    presets.PresetFreq(50) = 0.0;
    presets.StationName(100) = "Last";
    presets.PresetFreq(100) = 107.9996;
  }
  PresetStore presets;
};

TEST_P(FindStationTest, FindsTheFirstPresetWhoseNameContainsTheId) {
  EXPECT_EQ(FindStationPreset(presets, GetParam().station_id), GetParam().preset);
  EXPECT_EQ(FindStationFrequency(presets, GetParam().station_id), GetParam().frequency);
}

INSTANTIATE_TEST_SUITE_P(
    Ids, FindStationTest,
    ::testing::Values(LookupCase{"fm", 3, "97.300"},  // the first of two matches
                      LookupCase{"JAZZ FM 88", 3, "97.300"}, LookupCase{"z f", 3, "97.300"},
                      LookupCase{"Jazz FM 88 ", std::nullopt, ""},
                      LookupCase{"", std::nullopt, ""},  // an empty ID matches nothing
                      LookupCase{"radio \xc3\xa4", 20, "90.000"},
                      LookupCase{"radio \xc3\x84", std::nullopt, ""},  // Ä is not folded
                      LookupCase{"talk", 50, "0.000"},  // an empty preset still answers
                      LookupCase{"LAST", 100, "108.000"}, LookupCase{"nowhere", std::nullopt, ""}));

}  // namespace
}  // namespace orvaltic
