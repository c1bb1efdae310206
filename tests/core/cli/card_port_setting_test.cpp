#include "core/cli/card_port_setting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_folder.h"

namespace orvaltic {
namespace {

using Source = CardPortSetting::Source;

struct SettingCase {
  const char* name;
  const char* options;  // null: no file
  Source source;
  std::uint16_t port;
};

class CardPortSettingTest : public ::testing::TestWithParam<SettingCase> {};

// The radio takes its port permission with this before its window exists, so the port must be
// the one the start-up read will leave in CardPort, a refused file included.
TEST_P(CardPortSettingTest, GivesTheCardPortTheStartUpReadLeaves) {
  testing::TempFolder folder;
  const std::string path = folder.File("Orvaltic.opt");
  if (GetParam().options != nullptr) {
    testing::WriteFileBytes(path, GetParam().options);
  }
  const CardPortSetting setting = ReadCardPortSetting(path);
  EXPECT_EQ(setting.source, GetParam().source);
  EXPECT_EQ(setting.port, GetParam().port);
  EXPECT_EQ(setting.error, GetParam().source == Source::kRejected ? "Invalid numeric input" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, CardPortSettingTest,
    ::testing::Values(SettingCase{"NoFile", nullptr, Source::kDefault, 0x30C},
                      SettingCase{"Alternative", "524\r\n", Source::kFile, 0x20C},
                      SettingCase{"Hex", "$2F8\r\n", Source::kFile, 0x2F8},
                      SettingCase{"Low16Bits", "-65012\r\n", Source::kFile, 0x20C},
                      // Line 1 is refused: CardPort keeps its default.
                      SettingCase{"BadFirstLine", "0x20C\r\n", Source::kRejected, 0x30C},
                      // Line 3 is refused: CardPort already holds line 1.
                      SettingCase{"BadThirdLine", "524\r\nStyle 2\r\nfast\r\n", Source::kRejected,
                                  0x20C}),
    [](const ::testing::TestParamInfo<SettingCase>& param_info) {
      return std::string(param_info.param.name);
    });

TEST(CardPortSetting, AFileThatCannotBeOpenedCountsAsMissing) {
  testing::TempFolder folder;
  const std::string path = folder.File("Orvaltic.opt");
  std::filesystem::create_directory(path);
  const CardPortSetting setting = ReadCardPortSetting(path);
  EXPECT_EQ(setting.source, Source::kDefault);
  EXPECT_EQ(setting.port, 0x30C);
}

}  // namespace
}  // namespace orvaltic
