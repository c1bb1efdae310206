#pragma once

#include <string>
#include <string_view>

namespace orvaltic {

inline constexpr unsigned kSndAsync = 0x1;
inline constexpr unsigned kSndLoop = 0x8;

// Wave playback with the semantics of the system call the program was designed for:
// flags 1 plays a file once, asynchronously; flags 9 loops it; an empty name stops whatever
// plays. A new sound replaces the one playing. A file that cannot be played falls back to a
// built-in default sound (looping when asked to loop).
class Sound {
 public:
  virtual ~Sound() = default;
  virtual bool PlaySound(const std::string& name, unsigned flags) = 0;
};

// What a sound device offers; SoundPlayer puts the semantics above on top of it.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // Plays a wave file that IsPlayableWave accepted; false when the device refuses it.
  virtual bool PlayFile(const std::string& path, bool loop) = 0;
  virtual void PlayDefault(bool loop) = 0;
  virtual void Stop() = 0;
};

// True when `bytes` is a RIFF/WAVE file with a PCM format chunk and a data chunk.
bool IsPlayableWave(std::string_view bytes);

// A short built-in chime as a complete 16-bit mono PCM wave file.
std::string DefaultChimeWave();

class SoundPlayer : public Sound {
 public:
  explicit SoundPlayer(AudioOutput& output) : output_(output) {}
  // True when the named file plays (or, for an empty name, the sound stopped); false when the
  // default sound plays instead.
  bool PlaySound(const std::string& name, unsigned flags) override;

 private:
  AudioOutput& output_;
};

}  // namespace orvaltic
