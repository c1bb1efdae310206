#include "gui/platform/sdr_sound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPointer>

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/sdr/sdr_receiver.h"
#include "gui/platform/text_codec.h"

namespace orvaltic::gui {

namespace {

// What the device holds beyond the receiver's ring: short, so that the sound follows the
// buttons, long enough not to break up on a busy desktop.
constexpr int kDeviceBufferMs = 60;

}  // namespace

// Reads the receiver's ring as a sequential device; what is not there yet reads as silence, so
// the sink never stops for want of data.
class SdrSound::RingDevice : public QIODevice {
 public:
  RingDevice(AudioRing& ring, QAudioFormat format) : ring_(ring), format_(format) {
    open(QIODevice::ReadOnly);
  }
  bool isSequential() const override { return true; }
  qint64 bytesAvailable() const override {
    return format_.bytesForFrames(static_cast<qint32>(SdrReceiver::kAudioRate / 10)) +
           QIODevice::bytesAvailable();
  }

 protected:
  qint64 readData(char* data, qint64 max_size) override {
    const qint32 frame_bytes = format_.bytesPerFrame();
    const auto frames = static_cast<std::size_t>(max_size / frame_bytes);
    if (frames == 0) {
      return 0;
    }
    const auto prime =
        static_cast<std::size_t>(SdrReceiver::kAudioRate * SdrReceiver::kTargetSeconds);
    if (format_.sampleFormat() == QAudioFormat::Float) {
      ring_.ReadPrimed(reinterpret_cast<float*>(data), frames, prime);
    } else {
      frames_.resize(2 * frames);
      ring_.ReadPrimed(frames_.data(), frames, prime);
      auto* out = reinterpret_cast<qint16*>(data);
      for (std::size_t i = 0; i < 2 * frames; ++i) {
        out[i] = static_cast<qint16>(std::clamp(frames_[i], -1.0F, 1.0F) * 32767.0F);
      }
    }
    return static_cast<qint64>(frames) * frame_bytes;
  }
  qint64 writeData(const char* /*data*/, qint64 /*size*/) override { return -1; }

 private:
  AudioRing& ring_;
  QAudioFormat format_;
  std::vector<float> frames_;
};

SdrSound::SdrSound(SdrReceiver& receiver, std::ostream& report, QObject* parent)
    : QObject(parent), receiver_(receiver), report_(report) {
  receiver_.SetAudioListener(this);
}

SdrSound::~SdrSound() {
  receiver_.SetAudioListener(nullptr);
  Stop();
}

void SdrSound::SetTunerAudio(bool on) {
  if (on) {
    Start();
  } else {
    Stop();
  }
}

void SdrSound::Start() {
  if (sink_ != nullptr) {
    return;
  }
  const QAudioDevice output = QMediaDevices::defaultAudioOutput();
  QAudioFormat format;
  format.setSampleRate(static_cast<int>(SdrReceiver::kAudioRate));
  format.setChannelCount(2);
  format.setSampleFormat(QAudioFormat::Float);
  if (!output.isNull() && !output.isFormatSupported(format)) {
    format.setSampleFormat(QAudioFormat::Int16);
  }
  if (output.isNull()) {
    if (!reported_) {
      reported_ = true;
      report_ << "orvaltic: there is no sound output; the receiver plays silently\n" << std::flush;
    }
    return;
  }
  device_ = std::make_unique<RingDevice>(receiver_.sound(), format);
  sink_ = std::make_unique<QAudioSink>(output, format);
  sink_->setBufferSize(format.bytesForDuration(qint64{kDeviceBufferMs} * 1000));
  sink_->start(device_.get());
}

void SdrSound::Stop() {
  if (sink_ != nullptr) {
    sink_->stop();
    sink_.reset();
  }
  device_.reset();
}

std::unique_ptr<SdrSound> AttachSdrSound(SdrReceiver& receiver, std::ostream& report) {
  auto sound = std::make_unique<SdrSound>(receiver, report);
  // The receiver's thread says what went wrong; the box opens on the GUI thread, without
  // waiting for it, and the radio stays usable behind it.
  QPointer<QObject> target(sound.get());
  receiver.SetFaultListener([target, &report](const std::string& message) {
    report << "orvaltic: " << message << '\n' << std::flush;
    QMetaObject::invokeMethod(
        qApp,
        [target, message] {
          if (target.isNull()) {
            return;
          }
          auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Orvaltic"),
                                      FromCoreText(message + "."), QMessageBox::Ok);
          box->setTextFormat(Qt::PlainText);
          box->setAttribute(Qt::WA_DeleteOnClose);
          box->open();
        },
        Qt::QueuedConnection);
  });
  return sound;
}

}  // namespace orvaltic::gui
