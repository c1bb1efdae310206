#include "gui/platform/qt_audio_output.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvaltic::gui {

QtAudioOutput::QtAudioOutput(QObject* parent) : QObject(parent), effect_(new QSoundEffect(this)) {
  connect(effect_, &QSoundEffect::statusChanged, this, &QtAudioOutput::OnStatusChanged);
}

QtAudioOutput::~QtAudioOutput() {
  effect_->stop();
}

bool QtAudioOutput::PlayFile(const std::string& path, bool loop) {
  const QString local = QFile::decodeName(QByteArray::fromStdString(path));
  const QFileInfo file(QDir(QDir::currentPath()).absoluteFilePath(local));
  // Qt's loader opens the file with a blocking read: a FIFO or a device would hang it, and
  // with it the stop and the next play. Only a regular file goes there.
  if (!file.isFile()) {
    return false;
  }
  Play(QUrl::fromLocalFile(file.absoluteFilePath()), loop);
  return true;
}

void QtAudioOutput::PlayDefault(bool loop) {
  const QUrl chime = EnsureChime();
  if (chime.isEmpty()) {
    QApplication::beep();
    return;
  }
  Play(chime, loop);
}

void QtAudioOutput::Stop() {
  effect_->stop();
}

void QtAudioOutput::Play(const QUrl& url, bool loop) {
  loop_ = loop;
  effect_->stop();
  effect_->setLoopCount(loop ? QSoundEffect::Infinite : 1);
  if (effect_->source() == url && effect_->status() == QSoundEffect::Error) {
    // Setting the same source again would not load it again; the file may be fixed by now.
    effect_->setSource(QUrl());
  }
  effect_->setSource(url);
  if (effect_->status() == QSoundEffect::Error) {
    OnStatusChanged();
    return;
  }
  effect_->play();
}

void QtAudioOutput::OnStatusChanged() {
  if (effect_->status() != QSoundEffect::Error) {
    return;
  }
  const QUrl chime = EnsureChime();
  // Once the chime itself fails there is nothing left to try (no device, say).
  if (chime.isEmpty() || effect_->source() == chime) {
    return;
  }
  Play(chime, loop_);
}

QUrl QtAudioOutput::EnsureChime() {
  if (chime_file_ != nullptr) {
    return chime_url_;
  }
  chime_file_ = std::make_unique<QTemporaryFile>(QDir::tempPath() +
                                                 QStringLiteral("/orvaltic-chime-XXXXXX.wav"));
  const std::string wave = DefaultChimeWave();
  if (chime_file_->open() &&
      chime_file_->write(wave.data(), static_cast<qint64>(wave.size())) ==
          static_cast<qint64>(wave.size()) &&
      chime_file_->flush()) {
    chime_url_ = QUrl::fromLocalFile(chime_file_->fileName());
  }
  return chime_url_;
}

}  // namespace orvaltic::gui
