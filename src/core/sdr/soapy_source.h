#pragma once

#include <memory>
#include <string>
#include <variant>

#include "core/sdr/iq_source.h"

namespace orvaltic {

// Any receiver with a SoapySDR module (an Airspy, a HackRF, ...) named by its device arguments
// ("driver=airspy"), as an IQ source: float samples at the setting's rate (2.4 MS/s unless given),
// tuned 250 kHz below the station, the setting's gain or the device's automatic one. The line that
// says what to do when none is found.
std::variant<std::unique_ptr<IqSource>, std::string> OpenSoapy(const SdrSetting& setting);

}  // namespace orvaltic
