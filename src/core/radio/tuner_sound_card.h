#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvaltic {

// The sound card a radio tuner delivers its audio on, as sysfs describes it. USB tuners carry
// one on the same USB device as the tuner (the most common "no sound" complaint: its audio is a
// capture device, not the speakers); a few boards carry one on the same PCI function.
struct TunerSoundCard {
  int number = -1;        // /sys/class/sound/cardN
  std::string id;         // the ALSA card id ("Radio"), as in hw:CARD=Radio
  std::string bus_name;   // the device the card sits on: "1-2:1.1", "0000:05:00.0"
  std::string vendor_id;  // the USB device's idVendor and idProduct, hexadecimal
  std::string product_id;
  std::string manufacturer;  // the USB device's strings; empty where it has none
  std::string product;
  std::string serial;
  bool usb = false;
};

// The number a kernel device name carries after its prefix ("radio12" after "radio" is 12);
// nothing when the rest is not a whole number of its own ("radio", "radio-x").
std::optional<int> DeviceNumber(std::string_view name, std::string_view prefix);

// "card 2 (Radio)" for messages.
std::string DescribeSoundCard(const TunerSoundCard& card);

// Looks for the sound card of `radio_name` ("radio0") under `sys_root` ("/sys"): on the tuner's
// own device (class/video4linux/<radio>/device), or, for a USB tuner, on any interface of its
// USB device. Nothing when it has none.
std::optional<TunerSoundCard> FindTunerSoundCard(const std::filesystem::path& sys_root,
                                                 std::string_view radio_name);

// An audio input as the sound system lists it.
struct CaptureDevice {
  std::string id;           // ALSA "plughw:CARD=Radio,DEV=0", PulseAudio "alsa_input.usb-..."
  std::string description;  // what a user sees in the sound settings
};

// The input that carries `card`, by the names ALSA and PulseAudio/PipeWire give it: the card id
// or number in an ALSA device name, the USB or PCI path in a PulseAudio source name, else the
// product name or card id in the description. Nothing when no input matches.
std::optional<std::size_t> MatchCaptureDevice(const TunerSoundCard& card,
                                              const std::vector<CaptureDevice>& devices);

// The input a user named: its exact id, else the first whose id or description contains `name`
// (letters compared without case).
std::optional<std::size_t> FindCaptureDeviceByName(std::string_view name,
                                                   const std::vector<CaptureDevice>& devices);

}  // namespace orvaltic
