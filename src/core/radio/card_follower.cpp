#include "core/radio/card_follower.h"

namespace orvaltic {

std::optional<CardFollower::Change> CardFollower::Feed(std::uint16_t port, std::uint8_t value,
                                                       std::optional<std::string>& fault) {
  Port& p = ports_[port];
  fault = p.decoder.Feed(value);
  if (!p.decoder.Settled()) {
    return std::nullopt;
  }
  const bool new_transfer = p.decoder.GoodTransfers() != p.transfers;
  if (!new_transfer && p.applied == p.decoder.State()) {
    return std::nullopt;
  }
  Change change{p.applied, p.decoder.State(), new_transfer, p.announced};
  p.applied = p.decoder.State();
  p.transfers = p.decoder.GoodTransfers();
  if (!change.before || change.before->audio_on != change.now.audio_on) {
    audio_on_ = change.now.audio_on;
  }
  return change;
}

}  // namespace orvaltic
