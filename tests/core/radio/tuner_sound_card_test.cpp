#include "core/radio/tuner_sound_card.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace orvaltic {
namespace {

namespace fs = std::filesystem;

// A sysfs tree as the kernel lays it out: class/video4linux/<radio>/device links into devices/.
class SysfsTree {
 public:
  // A radio on `device` (relative to devices/).
  void Radio(const std::string& radio, const std::string& device) {
    const fs::path dir = Root() / "class/video4linux" / radio;
    fs::create_directories(dir);
    fs::create_directories(Root() / "devices" / device);
    fs::create_symlink(fs::relative(Root() / "devices" / device, dir), dir / "device");
  }
  void Attribute(const std::string& file, const std::string& value) {
    const fs::path path = Root() / "devices" / file;
    fs::create_directories(path.parent_path());
    testing::WriteFileBytes(path.string(), value + "\n");
  }
  fs::path Root() const { return folder_.path(); }

 private:
  testing::TempFolder folder_;
};

constexpr const char* kUsb = "pci0000:00/0000:00:14.0/usb1/1-2";

TEST(FindTunerSoundCard, FindsTheCardOnAnotherInterfaceOfTheTunersUsbDevice) {
  SysfsTree sys;
  sys.Radio("radio0", std::string(kUsb) + "/1-2:1.2");
  sys.Attribute(std::string(kUsb) + "/idVendor", "10c4");
  sys.Attribute(std::string(kUsb) + "/idProduct", "818a");
  sys.Attribute(std::string(kUsb) + "/manufacturer", "Maker  Labs");
  sys.Attribute(std::string(kUsb) + "/product", "FM Radio");
  // Two cards on the audio interface: the lower number is taken, not the first listed.
  sys.Attribute(std::string(kUsb) + "/1-2:1.0/sound/card12/id", "Other");
  sys.Attribute(std::string(kUsb) + "/1-2:1.0/sound/card3/id", "Radio");

  const auto card = FindTunerSoundCard(sys.Root(), "radio0");
  ASSERT_TRUE(card);
  EXPECT_EQ(card->number, 3);
  EXPECT_EQ(card->id, "Radio");
  EXPECT_EQ(card->bus_name, "1-2:1.0");
  EXPECT_TRUE(card->usb);
  EXPECT_EQ(card->manufacturer, "Maker  Labs");
  EXPECT_EQ(card->product, "FM Radio");
  EXPECT_EQ(card->vendor_id, "10c4");
  EXPECT_EQ(DescribeSoundCard(*card), "card 3 (Radio)");
}

TEST(FindTunerSoundCard, FindsACardOnThePciBoardItselfAndNothingWithout) {
  SysfsTree sys;
  sys.Radio("radio0", "pci0000:00/0000:05:00.0");
  sys.Attribute("pci0000:00/0000:05:00.0/sound/card1/id", "SAA7134");
  sys.Radio("radio1", "pci0000:00/0000:06:00.0");
  sys.Attribute("pci0000:00/0000:06:00.0/vendor", "0x1234");

  const auto card = FindTunerSoundCard(sys.Root(), "radio0");
  ASSERT_TRUE(card);
  EXPECT_EQ(card->number, 1);
  EXPECT_EQ(card->bus_name, "0000:05:00.0");
  EXPECT_FALSE(card->usb);
  for (const char* none : {"radio1", "radio7", "", "..", "../radio0"}) {
    EXPECT_FALSE(FindTunerSoundCard(sys.Root(), none)) << none;
  }
}

TunerSoundCard UsbCard() {
  TunerSoundCard card;
  card.number = 3;
  card.id = "Radio";
  card.usb = true;
  card.vendor_id = "10c4";
  card.product_id = "818a";
  card.manufacturer = "Maker  Labs";
  card.product = "FM Radio (v2)";
  return card;
}

struct MatchCase {
  const char* name;
  TunerSoundCard card;
  std::vector<CaptureDevice> devices;
  std::optional<std::size_t> expected;
};

class MatchCaptureDeviceTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchCaptureDeviceTest, PicksTheTunersInput) {
  EXPECT_EQ(MatchCaptureDevice(GetParam().card, GetParam().devices), GetParam().expected);
}

TunerSoundCard WithSerial(TunerSoundCard card) {
  card.serial = "00A1";
  return card;
}

TunerSoundCard PciCard() {
  TunerSoundCard card;
  card.number = 1;
  card.id = "SAA7134";
  card.bus_name = "0000:05:00.0";
  return card;
}

const CaptureDevice kMic{"alsa_input.pci-0000_00_1f.3.analog-stereo", "Built-in Audio"};

INSTANTIATE_TEST_SUITE_P(
    Sources, MatchCaptureDeviceTest,
    ::testing::Values(
        // PulseAudio and PipeWire: udev's serial of the USB device; a monitor never counts.
        MatchCase{"PulseUsb",
                  UsbCard(),
                  {kMic,
                   {"alsa_output.usb-Maker_Labs_FM_Radio__v2_-00.analog-stereo.monitor",
                    "Monitor of FM Radio (v2)"},
                   {"alsa_input.usb-Maker_Labs_FM_Radio__v2_-00.analog-stereo", "Audio"}},
                  2},
        MatchCase{"PulseUsbSerial",
                  WithSerial(UsbCard()),
                  {{"alsa_input.usb-Maker_Labs_FM_Radio__v2_-00.mono", "Other stick"},
                   {"alsa_input.usb-Maker_Labs_FM_Radio__v2__00A1-00.mono", "This stick"}},
                  1},
        MatchCase{"PulsePci",
                  PciCard(),
                  {kMic, {"alsa_input.pci-0000_05_00.0.analog-stereo", "Multimedia"}},
                  1},
        // ALSA device names: the card id or number; plughw converts formats, so it wins.
        MatchCase{"AlsaId",
                  UsbCard(),
                  {{"hw:CARD=Radio2,DEV=0", "FM Radio (v2), USB Audio"},
                   {"hw:CARD=Radio,DEV=0", "Direct hardware"},
                   {"plughw:CARD=Radio,DEV=0", "Plug-in"},
                   {"dsnoop:CARD=Radio,DEV=0", "Shared"}},
                  2},
        MatchCase{"AlsaNumber", UsbCard(), {kMic, {"hw:3,0", "hw"}}, 1},
        // Only the description names it.
        MatchCase{"Description", UsbCard(), {kMic, {"some-input", "fm radio (V2) Analog Mono"}}, 1},
        MatchCase{"Nothing", UsbCard(), {kMic, {"hw:CARD=Radio2,DEV=0", "Tuner"}}, std::nullopt},
        MatchCase{"NoInputs", PciCard(), {}, std::nullopt}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(FindCaptureDeviceByName, TakesTheExactIdElseAPartOfIdOrDescription) {
  const std::vector<CaptureDevice> devices = {
      kMic, {"hw:CARD=Radio,DEV=0", "FM Radio"}, {"hw:CARD=Radio", "Radio"}};
  EXPECT_EQ(FindCaptureDeviceByName("hw:CARD=Radio", devices), 2u);
  EXPECT_EQ(FindCaptureDeviceByName("fm radio", devices), 1u);
  EXPECT_EQ(FindCaptureDeviceByName("built-in", devices), 0u);
  EXPECT_EQ(FindCaptureDeviceByName("webcam", devices), std::nullopt);
}

}  // namespace
}  // namespace orvaltic
