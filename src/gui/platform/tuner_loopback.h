#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

#include <memory>
#include <ostream>
#include <string>

#include "core/radio/tuner_audio.h"

class QAudioSink;
class QAudioSource;
class QIODevice;

namespace orvaltic {
class V4l2Tuner;
}

namespace orvaltic::gui {

// Plays a radio tuner's capture device through the default output while the card's audio is
// on, and stops when it goes off: USB tuners deliver their sound as an audio input, which
// nothing plays otherwise. Detaches itself from the tuner when it goes.
class TunerLoopback : public QObject, public TunerAudio {
  Q_OBJECT

 public:
  TunerLoopback(V4l2Tuner* tuner, const QAudioDevice& input, std::ostream& report,
                QObject* parent = nullptr);
  ~TunerLoopback() override;

  void SetTunerAudio(bool on) override;
  bool Running() const { return source_ != nullptr; }
  const QAudioDevice& input() const { return input_; }

 private:
  void Start();
  void Stop();
  void Pump();
  void ReportOnce(const std::string& line);

  V4l2Tuner* tuner_;
  QAudioDevice input_;
  std::ostream& report_;
  std::unique_ptr<QAudioSource> source_;
  std::unique_ptr<QAudioSink> sink_;
  QIODevice* in_ = nullptr;
  QIODevice* out_ = nullptr;
  QAudioFormat format_;
  QByteArray pending_;
  bool reported_ = false;
};

// The loop for `tuner`'s sound, attached to it, or null when there is none to make: `setting`
// (ORVALTIC_LOOPBACK) is "off", or the tuner has no sound card of its own that a sound input
// matches. Any other non-empty `setting` names the input to play instead of the matched one.
// What was chosen, or why nothing could be, is reported in one line.
std::unique_ptr<TunerLoopback> AttachTunerLoopback(V4l2Tuner& tuner, const char* setting,
                                                   std::ostream& report);

}  // namespace orvaltic::gui
