#pragma once

namespace orvaltic {

// Told whenever the card's audio goes on or off. The GUI plays a tuner's capture device through
// the speakers while it is on; the core only says when.
class TunerAudio {
 public:
  virtual ~TunerAudio() = default;
  virtual void SetTunerAudio(bool on) = 0;
};

}  // namespace orvaltic
