#pragma once

#include <QAudioFormat>
#include <QIODevice>
#include <QObject>

#include <memory>
#include <ostream>
#include <string>

#include "core/radio/tuner_audio.h"

class QAudioSink;
class QWidget;

namespace orvaltic {
class SdrReceiver;
class AudioRing;
}  // namespace orvaltic

namespace orvaltic::gui {

// The sound device's side of the software receiver: a sink on the default output that pulls the
// receiver's ring while the card's audio is on and stops when it goes off. Takes float samples
// where the device does, else 16-bit ones.
class SdrSound : public QObject, public TunerAudio {
  Q_OBJECT

 public:
  SdrSound(SdrReceiver& receiver, std::ostream& report, QObject* parent = nullptr);
  ~SdrSound() override;

  void SetTunerAudio(bool on) override;
  bool Playing() const { return sink_ != nullptr; }

 private:
  class RingDevice;
  void Start();
  void Stop();

  SdrReceiver& receiver_;
  std::ostream& report_;
  std::unique_ptr<QAudioSink> sink_;
  std::unique_ptr<RingDevice> device_;
  bool reported_ = false;
};

// Makes the sound of `receiver` and shows its faults (a stick unplugged, a recording that
// ended) in a box over `panel`, once each time, on the GUI thread.
std::unique_ptr<SdrSound> AttachSdrSound(SdrReceiver& receiver, std::ostream& report);

}  // namespace orvaltic::gui
