#include "core/radio/tuner_sound_card.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <system_error>

#include "core/platform/numbers.h"

namespace orvaltic {

namespace {

namespace fs = std::filesystem;

// The first line of a sysfs attribute, without the line end; empty when it cannot be read.
std::string ReadAttribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())) != 0) {
    line.pop_back();
  }
  return line;
}

std::optional<int> CardNumber(std::string_view name) {
  return DeviceNumber(name, "card");
}

// The lowest-numbered sound card registered on the device `dir`.
std::optional<fs::path> SoundCardOn(const fs::path& dir) {
  std::error_code ec;
  std::optional<fs::path> best;
  int best_number = 0;
  for (auto it = fs::directory_iterator(dir / "sound", ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const auto number = CardNumber(it->path().filename().string());
    if (number && (!best || *number < best_number)) {
      best = it->path();
      best_number = *number;
    }
  }
  return best;
}

bool IsUsbDevice(const fs::path& dir) {
  std::error_code ec;
  return fs::exists(dir / "idVendor", ec);
}

// The card's sysfs names as udev turns them into a device's serial: blank runs become one '_',
// and anything but letters, digits, "#+-.:=@_" and non-ASCII bytes becomes '_' as well.
std::string UdevName(std::string_view text) {
  std::string name;
  bool blank = false;
  for (const char c : text) {
    if (std::isspace(static_cast<unsigned char>(c)) != 0) {
      blank = true;
      continue;
    }
    if (blank && !name.empty()) {
      name += '_';
    }
    blank = false;
    const auto byte = static_cast<unsigned char>(c);
    const bool kept = std::isalnum(byte) != 0 || byte >= 0x80 ||
                      std::string_view("#+-.:=@_").find(c) != std::string_view::npos;
    name += kept ? c : '_';
  }
  return name;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  });
  return lower;
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
  return !part.empty() && Lower(text).find(Lower(part)) != std::string::npos;
}

// "CARD=Radio" in an ALSA device name, not "CARD=Radio2".
bool NamesAlsaCard(std::string_view id, std::string_view card_id) {
  const std::string key = "CARD=" + std::string(card_id);
  for (auto at = id.find(key); at != std::string_view::npos; at = id.find(key, at + 1)) {
    const std::size_t end = at + key.size();
    if (end == id.size() || id[end] == ',') {
      return true;
    }
  }
  return false;
}

int MatchScore(const TunerSoundCard& card, const CaptureDevice& device) {
  const std::string_view id = device.id;
  // A PulseAudio monitor plays back what an output plays; it is never the tuner.
  if (id.ends_with(".monitor")) {
    return 0;
  }
  // ALSA: the card by id or by number; plughw converts any format, so it goes first.
  const std::string number = FormatInt(card.number);
  if ((!card.id.empty() && NamesAlsaCard(id, card.id)) || id.starts_with("hw:" + number + ",") ||
      id.starts_with("plughw:" + number + ",")) {
    return id.starts_with("plughw:") ? 6 : id.starts_with("sysdefault:") ? 5 : 4;
  }
  // PulseAudio and PipeWire name a source after udev's path of its card.
  std::string path_key;
  if (card.usb) {
    path_key = "usb-" + UdevName(card.manufacturer.empty() ? card.vendor_id : card.manufacturer) +
               "_" + UdevName(card.product.empty() ? card.product_id : card.product);
    if (!card.serial.empty()) {
      path_key += "_" + UdevName(card.serial);
    }
  } else if (!card.bus_name.empty()) {
    path_key = "pci-" + card.bus_name;
    std::replace(path_key.begin(), path_key.end(), ':', '_');
  }
  if (!path_key.empty() && id.find(path_key) != std::string_view::npos) {
    return 4;
  }
  if (!card.product.empty() && id.find(UdevName(card.product)) != std::string_view::npos) {
    return 3;
  }
  if (ContainsNoCase(device.description, card.product)) {
    return 2;
  }
  if (ContainsNoCase(device.description, card.id)) {
    return 1;
  }
  return 0;
}

}  // namespace

std::optional<int> DeviceNumber(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix) || name.size() == prefix.size()) {
    return std::nullopt;
  }
  const std::string_view digits = name.substr(prefix.size());
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || number < 0) {
    return std::nullopt;
  }
  return number;
}

std::string DescribeSoundCard(const TunerSoundCard& card) {
  std::string text = "card " + FormatInt(card.number);
  if (!card.id.empty()) {
    text += " (" + card.id + ")";
  }
  return text;
}

std::optional<TunerSoundCard> FindTunerSoundCard(const fs::path& sys_root,
                                                 std::string_view radio_name) {
  if (radio_name.empty() || radio_name.find('/') != std::string_view::npos || radio_name == "." ||
      radio_name == "..") {
    return std::nullopt;
  }
  std::error_code ec;
  const fs::path device =
      fs::canonical(sys_root / "class" / "video4linux" / std::string(radio_name) / "device", ec);
  if (ec) {
    return std::nullopt;
  }
  fs::path usb_device;
  if (IsUsbDevice(device)) {
    usb_device = device;
  } else if (IsUsbDevice(device.parent_path())) {
    usb_device = device.parent_path();
  }

  std::optional<fs::path> card = SoundCardOn(device);
  if (!card && !usb_device.empty()) {
    // The audio class interfaces of the same USB device ("1-2:1.1"), in name order.
    std::vector<fs::path> interfaces;
    for (auto it = fs::directory_iterator(usb_device, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
      if (it->path().filename().string().find(':') != std::string::npos) {
        interfaces.push_back(it->path());
      }
    }
    std::sort(interfaces.begin(), interfaces.end());
    for (const fs::path& interface : interfaces) {
      if ((card = SoundCardOn(interface))) {
        break;
      }
    }
  }
  if (!card) {
    return std::nullopt;
  }

  TunerSoundCard found;
  found.number = CardNumber(card->filename().string()).value_or(-1);
  found.id = ReadAttribute(*card / "id");
  found.bus_name = card->parent_path().parent_path().filename().string();
  if (!usb_device.empty()) {
    found.usb = true;
    found.vendor_id = ReadAttribute(usb_device / "idVendor");
    found.product_id = ReadAttribute(usb_device / "idProduct");
    found.manufacturer = ReadAttribute(usb_device / "manufacturer");
    found.product = ReadAttribute(usb_device / "product");
    found.serial = ReadAttribute(usb_device / "serial");
  }
  return found;
}

std::optional<std::size_t> MatchCaptureDevice(const TunerSoundCard& card,
                                              const std::vector<CaptureDevice>& devices) {
  std::optional<std::size_t> best;
  int best_score = 0;
  for (std::size_t i = 0; i < devices.size(); ++i) {
    const int score = MatchScore(card, devices[i]);
    if (score > best_score) {
      best = i;
      best_score = score;
    }
  }
  return best;
}

std::optional<std::size_t> FindCaptureDeviceByName(std::string_view name,
                                                   const std::vector<CaptureDevice>& devices) {
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (devices[i].id == name) {
      return i;
    }
  }
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (ContainsNoCase(devices[i].id, name) || ContainsNoCase(devices[i].description, name)) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace orvaltic
