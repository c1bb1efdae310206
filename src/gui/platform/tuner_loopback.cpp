#include "gui/platform/tuner_loopback.h"

#include <QAudioSink>
#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <string_view>
#include <vector>

#include "core/platform/printable_text.h"
#include "core/radio/tuner_sound_card.h"
#include "core/radio/v4l2_tuner.h"

namespace orvaltic::gui {

namespace {

// More than this waiting for the output is dropped, so that the radio stays live.
constexpr int kMaxBacklogMs = 200;
constexpr int kBufferMs = 100;

std::string Utf8(const QString& text) {
  return text.toStdString();
}

}  // namespace

TunerLoopback::TunerLoopback(V4l2Tuner* tuner, const QAudioDevice& input, std::ostream& report,
                             QObject* parent)
    : QObject(parent), tuner_(tuner), input_(input), report_(report) {
  if (tuner_ != nullptr) {
    tuner_->SetAudioListener(this);
  }
}

TunerLoopback::~TunerLoopback() {
  if (tuner_ != nullptr) {
    tuner_->SetAudioListener(nullptr);
  }
  Stop();
}

void TunerLoopback::SetTunerAudio(bool on) {
  if (on) {
    Start();
  } else {
    Stop();
  }
}

void TunerLoopback::ReportOnce(const std::string& line) {
  if (!reported_) {
    reported_ = true;
    report_ << "orvaltic: " << line << '\n' << std::flush;
  }
}

void TunerLoopback::Start() {
  if (source_) {
    return;
  }
  const QAudioDevice output = QMediaDevices::defaultAudioOutput();
  if (input_.isNull() || output.isNull()) {
    ReportOnce(std::string("the tuner's sound cannot be played: there is no sound ") +
               (input_.isNull() ? "input" : "output"));
    return;
  }
  // The input's own format, where the output takes it; the sound server converts the rest.
  QAudioFormat format = input_.preferredFormat();
  if (!output.isFormatSupported(format)) {
    format = output.preferredFormat();
    if (!input_.isFormatSupported(format)) {
      ReportOnce(
          "the tuner's sound input and the sound output have no format in common; the "
          "tuner's sound is not played");
      return;
    }
  }
  format_ = format;
  source_ = std::make_unique<QAudioSource>(input_, format_);
  sink_ = std::make_unique<QAudioSink>(output, format_);
  // A short buffer keeps the buttons' effect and the station's sound together.
  sink_->setBufferSize(format_.bytesForDuration(qint64{kBufferMs} * 1000));
  out_ = sink_->start();
  in_ = out_ != nullptr ? source_->start() : nullptr;
  if (in_ == nullptr) {
    ReportOnce("cannot play the tuner's sound input \"" +
               PrintableText(Utf8(input_.description())) + "\"");
    Stop();
    return;
  }
  connect(in_, &QIODevice::readyRead, this, &TunerLoopback::Pump);
}

void TunerLoopback::Stop() {
  if (source_) {
    source_->stop();
  }
  if (sink_) {
    sink_->stop();
  }
  in_ = nullptr;
  out_ = nullptr;
  source_.reset();
  sink_.reset();
  pending_.clear();
}

void TunerLoopback::Pump() {
  if (in_ == nullptr || out_ == nullptr) {
    return;
  }
  pending_ += in_->readAll();
  const qsizetype frame = std::max(1, format_.bytesPerFrame());
  const qsizetype backlog = format_.bytesForDuration(qint64{kMaxBacklogMs} * 1000);
  if (pending_.size() > backlog) {
    // Whole frames only: a cut inside a frame would swap the channels or the sample bytes.
    pending_.remove(0, (pending_.size() - backlog + frame - 1) / frame * frame);
  }
  const qsizetype room = static_cast<qsizetype>(sink_->bytesFree());
  const qsizetype fits = std::min(room, pending_.size()) / frame * frame;
  if (fits <= 0) {
    return;
  }
  const qint64 written = out_->write(pending_.constData(), fits);
  if (written > 0) {
    pending_.remove(0, static_cast<qsizetype>(written));
  }
}

std::unique_ptr<TunerLoopback> AttachTunerLoopback(V4l2Tuner& tuner, const char* setting,
                                                   std::ostream& report) {
  const std::string_view wanted = setting != nullptr ? setting : "";
  if (wanted == "off") {
    return nullptr;
  }
  const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
  std::vector<CaptureDevice> devices;
  for (const QAudioDevice& input : inputs) {
    devices.push_back({input.id().toStdString(), Utf8(input.description())});
  }

  std::optional<std::size_t> chosen;
  if (!wanted.empty()) {
    chosen = FindCaptureDeviceByName(wanted, devices);
    if (!chosen) {
      report << "orvaltic: ORVALTIC_LOOPBACK=" << PrintableText(wanted)
             << " names no sound input; the tuner's sound is not played (ORVALTIC_LOOPBACK=off "
                "turns this off)\n"
             << std::flush;
      return nullptr;
    }
  } else {
    const std::optional<TunerSoundCard>& card = tuner.info().sound_card;
    if (!card) {
      return nullptr;  // the tuner plays on its own output (or a cable to the line input)
    }
    chosen = MatchCaptureDevice(*card, devices);
    if (!chosen) {
      report << "orvaltic: the tuner's sound card, " << PrintableText(DescribeSoundCard(*card))
             << ", is not among the sound inputs; name the input with ORVALTIC_LOOPBACK\n"
             << std::flush;
      return nullptr;
    }
  }
  const std::size_t index = *chosen;
  report << "orvaltic: playing the tuner's sound input \""
         << PrintableText(devices[index].description)
         << "\" while the audio is on (ORVALTIC_LOOPBACK=off turns this off)\n"
         << std::flush;
  return std::make_unique<TunerLoopback>(&tuner, inputs.at(static_cast<qsizetype>(index)), report);
}

}  // namespace orvaltic::gui
