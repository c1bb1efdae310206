#include "core/radio/simulated_card.h"

#include <utility>

#include "core/platform/numbers.h"

namespace orvaltic {

namespace {

void AppendHex(std::string& text, unsigned value, int digits) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
    text += kDigits[(value >> shift) & 0xFu];
  }
}

std::string PortName(std::uint16_t port) {
  std::string text;
  AppendHex(text, port, 4);
  return text;
}

}  // namespace

SimulatedCard::SimulatedCard(std::ostream& report, std::unique_ptr<std::ostream> log,
                             std::string log_name)
    : report_(report), log_(std::move(log)), log_name_(std::move(log_name)) {}

std::string SimulatedCard::LogLine(std::uint16_t port, std::uint8_t value) {
  std::string line;
  AppendHex(line, port, 4);
  line += ' ';
  AppendHex(line, value, 2);
  return line;
}

std::string SimulatedCard::StateLine(std::uint16_t port, const CardState& state) {
  std::string line = "card " + PortName(port) + ": ";
  line += state.tuning_word ? CardDecoder::FormatMHz(CardDecoder::FrequencyKHz(*state.tuning_word))
                            : std::string("not tuned");
  line += state.audio_on ? ", audio on" : ", audio muted";
  if (state.volume_moved) {
    line += ", volume ";
    line += state.volume_steps > 0 ? "+" : "";
    line += FormatInt(state.volume_steps);
  }
  return line;
}

const CardDecoder* SimulatedCard::Card(std::uint16_t port) const {
  const auto it = cards_.find(port);
  return it == cards_.end() ? nullptr : &it->second.decoder;
}

void SimulatedCard::WritePort(std::uint16_t port, std::uint8_t value) {
  if (log_ && !log_failed_) {
    *log_ << LogLine(port, value) << '\n' << std::flush;
    if (!*log_) {
      log_failed_ = true;
      report_ << "card log " << log_name_ << ": writing failed; no further writes are logged\n"
              << std::flush;
    }
  }

  Slot& slot = cards_[port];
  if (const auto fault = slot.decoder.Feed(value)) {
    report_ << "card " << PortName(port) << ": " << *fault << '\n' << std::flush;
  }
  if (slot.decoder.Settled() && slot.reported != slot.decoder.State()) {
    slot.reported = slot.decoder.State();
    report_ << StateLine(port, *slot.reported) << '\n' << std::flush;
  }
}

}  // namespace orvaltic
