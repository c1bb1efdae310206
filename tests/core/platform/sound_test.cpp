#include "core/platform/sound.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "support/fakes.h"

namespace orvaltic {
namespace {

using testing::RecordingAudioOutput;

std::string U16(std::uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string U32(std::uint32_t v) {
  return U16(static_cast<std::uint16_t>(v & 0xFFFF)) + U16(static_cast<std::uint16_t>(v >> 16));
}
std::string Chunk(const std::string& id, const std::string& body, bool pad = true) {
  std::string out = id + U32(static_cast<std::uint32_t>(body.size())) + body;
  if (pad && body.size() % 2 == 1) {
    out.push_back('\0');
  }
  return out;
}
std::string Fmt(std::uint16_t format, std::uint16_t channels, std::uint32_t rate,
                std::uint16_t bits) {
  const auto align = static_cast<std::uint16_t>(channels * bits / 8);
  return U16(format) + U16(channels) + U32(rate) + U32(rate * align) + U16(align) + U16(bits);
}
std::string PcmFmt() {
  return Fmt(1, 2, 44100, 16);
}
std::string Extensible(const std::string& guid) {
  return Fmt(0xFFFE, 2, 48000, 16) + U16(22) + U16(16) + U32(3) + guid;
}
const std::string kPcmGuid("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
const std::string kFloatGuid("\x03\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71",
                             16);
std::string Wave(const std::string& chunks) {
  return "RIFF" + U32(0) + "WAVE" + chunks;
}
const std::string kFourFrames(16, '\x10');

struct WaveCase {
  const char* what;
  std::string bytes;
  bool playable;
  friend void PrintTo(const WaveCase& c, std::ostream* out) { *out << c.what; }
};

class IsPlayableWaveTest : public ::testing::TestWithParam<WaveCase> {};

TEST_P(IsPlayableWaveTest, Judges) {
  EXPECT_EQ(IsPlayableWave(GetParam().bytes), GetParam().playable) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsPlayableWaveTest,
    ::testing::Values(
        WaveCase{"plain pcm", Wave(Chunk("fmt ", PcmFmt()) + Chunk("data", kFourFrames)), true},
        WaveCase{"8-bit mono", Wave(Chunk("fmt ", Fmt(1, 1, 8000, 8)) + Chunk("data", "x")), true},
        WaveCase{"extensible pcm",
                 Wave(Chunk("fmt ", Extensible(kPcmGuid)) + Chunk("data", kFourFrames)), true},
        WaveCase{"extensible float",
                 Wave(Chunk("fmt ", Extensible(kFloatGuid)) + Chunk("data", kFourFrames)), false},
        WaveCase{"float format", Wave(Chunk("fmt ", Fmt(3, 2, 44100, 32)) + Chunk("data", "1234")),
                 false},
        WaveCase{"no channels", Wave(Chunk("fmt ", Fmt(1, 0, 44100, 16)) + Chunk("data", "12")),
                 false},
        WaveCase{"rate zero", Wave(Chunk("fmt ", Fmt(1, 1, 0, 16)) + Chunk("data", "12")), false},
        WaveCase{"12 bits", Wave(Chunk("fmt ", Fmt(1, 1, 8000, 12)) + Chunk("data", "12")), false},
        WaveCase{"wrong block align",
                 Wave(Chunk("fmt ", U16(1) + U16(2) + U32(44100) + U32(176400) + U16(3) + U16(16)) +
                      Chunk("data", kFourFrames)),
                 false},
        WaveCase{"short fmt chunk",
                 Wave(Chunk("fmt ", PcmFmt().substr(0, 14)) + Chunk("data", kFourFrames)), false},
        WaveCase{"odd chunk padded",
                 Wave(Chunk("LIST", "abc") + Chunk("fmt ", PcmFmt()) + Chunk("data", kFourFrames)),
                 true},
        WaveCase{"odd chunk without its pad byte",
                 Wave(Chunk("LIST", "abc", false) + Chunk("fmt ", PcmFmt()) +
                      Chunk("data", kFourFrames)),
                 false},
        WaveCase{
            "huge chunk size",
            Wave("LIST" + U32(0xFFFFFFFF) + Chunk("fmt ", PcmFmt()) + Chunk("data", kFourFrames)),
            false},
        WaveCase{"huge odd size after fmt",
                 Wave(Chunk("fmt ", PcmFmt()) + "junk" + U32(0xFFFFFFFF) + "xx"), false},
        WaveCase{"data before fmt", Wave(Chunk("data", kFourFrames) + Chunk("fmt ", PcmFmt())),
                 false},
        WaveCase{
            "two fmt chunks",
            Wave(Chunk("fmt ", PcmFmt()) + Chunk("fmt ", PcmFmt()) + Chunk("data", kFourFrames)),
            false},
        WaveCase{"no data chunk", Wave(Chunk("fmt ", PcmFmt())), false},
        WaveCase{"empty data", Wave(Chunk("fmt ", PcmFmt()) + Chunk("data", "")), false},
        WaveCase{"data cut short", Wave(Chunk("fmt ", PcmFmt()) + "data" + U32(1000000) + "1234"),
                 true},
        WaveCase{"not RIFF", "RIFX" + U32(0) + "WAVE" + Chunk("fmt ", PcmFmt()), false},
        WaveCase{"not WAVE", "RIFF" + U32(0) + "AVI " + Chunk("fmt ", PcmFmt()), false},
        WaveCase{"empty", "", false}, WaveCase{"text", "hello, this is not a wave file", false}));

TEST(DefaultChimeWaveTest, IsAPlayableShortMonoChime) {
  const std::string wave = DefaultChimeWave();
  EXPECT_TRUE(IsPlayableWave(wave));
  ASSERT_GE(wave.size(), 44U);
  EXPECT_EQ(wave.substr(12, 4), "fmt ");
  EXPECT_EQ(wave.substr(20, 16), Fmt(1, 1, 22050, 16));
  const std::size_t data_size = wave.size() - 44;
  // About 0.6 s of 16-bit samples.
  EXPECT_NEAR(static_cast<double>(data_size) / (2 * 22050), 0.6, 0.05);
  // It fades out: the last samples are silent.
  EXPECT_EQ(wave.substr(wave.size() - 8), std::string(8, '\0'));
}

TEST(DefaultChimeWaveTest, EveryCutInsideTheHeaderIsRejected) {
  const std::string wave = DefaultChimeWave();
  for (std::size_t length = 0; length < 46; ++length) {
    EXPECT_FALSE(IsPlayableWave(wave.substr(0, length))) << length;
  }
  EXPECT_TRUE(IsPlayableWave(wave.substr(0, 46)));
}

enum class FileKind { kNone, kWave, kGarbage, kMissing, kFolder, kFifo };

struct PlayCase {
  const char* what;
  FileKind file;
  unsigned flags;
  bool accept_files;
  std::vector<std::string> events;  // "$" stands for the file's path
  bool result;
  friend void PrintTo(const PlayCase& c, std::ostream* out) { *out << c.what; }
};

class SoundPlayerTest : public ::testing::TestWithParam<PlayCase> {
 protected:
  void SetUp() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');
    dir_ = std::filesystem::temp_directory_path() /
           ("orvaltic_sound_test_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Prepare(FileKind kind) {
    const std::string path = (dir_ / "alarm.wav").string();
    switch (kind) {
      case FileKind::kNone:
        return "";
      case FileKind::kWave:
        std::ofstream(path, std::ios::binary) << DefaultChimeWave();
        return path;
      case FileKind::kGarbage:
        std::ofstream(path, std::ios::binary) << "RIFF but not much else";
        return path;
      case FileKind::kMissing:
        return path;
      case FileKind::kFolder:
        std::filesystem::create_directory(path);
        return path;
      case FileKind::kFifo:
        // Nobody writes to it: a blocking open would never return.
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    return path;
  }

  std::filesystem::path dir_;
};

TEST_P(SoundPlayerTest, Plays) {
  const PlayCase& c = GetParam();
  RecordingAudioOutput output;
  output.accept_files = c.accept_files;
  SoundPlayer player(output);
  const std::string name = Prepare(c.file);

  EXPECT_EQ(player.PlaySound(name, c.flags), c.result);

  std::vector<std::string> expected;
  for (std::string event : c.events) {
    if (const auto at = event.find('$'); at != std::string::npos) {
      event.replace(at, 1, name);
    }
    expected.push_back(event);
  }
  EXPECT_EQ(output.events, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SoundPlayerTest,
    ::testing::Values(
        PlayCase{"empty name stops", FileKind::kNone, kSndAsync, true, {"stop"}, true},
        PlayCase{"empty name with loop flags stops",
                 FileKind::kNone,
                 kSndAsync | kSndLoop,
                 true,
                 {"stop"},
                 true},
        PlayCase{"once", FileKind::kWave, kSndAsync, true, {"stop", "once $"}, true},
        PlayCase{"loop", FileKind::kWave, kSndAsync | kSndLoop, true, {"stop", "loop $"}, true},
        PlayCase{"loop without async plays once",
                 FileKind::kWave,
                 kSndLoop,
                 true,
                 {"stop", "once $"},
                 true},
        PlayCase{"missing file loops the default",
                 FileKind::kMissing,
                 kSndAsync | kSndLoop,
                 true,
                 {"stop", "loop default"},
                 false},
        PlayCase{
            "not a wave", FileKind::kGarbage, kSndAsync, true, {"stop", "once default"}, false},
        PlayCase{"a folder",
                 FileKind::kFolder,
                 kSndAsync | kSndLoop,
                 true,
                 {"stop", "loop default"},
                 false},
        PlayCase{"a fifo", FileKind::kFifo, kSndAsync, true, {"stop", "once default"}, false},
        PlayCase{"device refuses",
                 FileKind::kWave,
                 kSndAsync | kSndLoop,
                 false,
                 {"stop", "loop $", "loop default"},
                 false}),
    [](const ::testing::TestParamInfo<PlayCase>& param_info) {
      std::string name;
      for (const char* p = param_info.param.what; *p != '\0'; ++p) {
        name += std::isalnum(static_cast<unsigned char>(*p)) != 0 ? *p : '_';
      }
      return name;
    });

TEST(SoundPlayerSequenceTest, ANewSoundReplacesTheLoopingOne) {
  RecordingAudioOutput output;
  SoundPlayer player(output);
  player.PlaySound("/nonexistent/alarm.wav", kSndAsync | kSndLoop);
  player.PlaySound("", kSndAsync);
  player.PlaySound("/nonexistent/other.wav", kSndAsync);
  EXPECT_EQ(output.events,
            (std::vector<std::string>{"stop", "loop default", "stop", "stop", "once default"}));
}

}  // namespace
}  // namespace orvaltic
