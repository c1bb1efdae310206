#pragma once

#include <QObject>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>

#include <memory>
#include <string>

#include "core/platform/sound.h"

namespace orvaltic::gui {

// Wave playback through QSoundEffect. A file that turns out unplayable only once Qt has
// loaded it (its status becomes Error) is replaced by the built-in chime, looping as the file
// would have. Without a sound device nothing is heard and nothing blocks.
class QtAudioOutput : public QObject, public AudioOutput {
  Q_OBJECT

 public:
  explicit QtAudioOutput(QObject* parent = nullptr);
  ~QtAudioOutput() override;

  bool PlayFile(const std::string& path, bool loop) override;
  void PlayDefault(bool loop) override;
  void Stop() override;

  const QSoundEffect& Effect() const { return *effect_; }
  // Where the chime was written; empty until it is first needed or when it could not be.
  QUrl ChimeUrl() const { return chime_url_; }

 private:
  void Play(const QUrl& url, bool loop);
  void OnStatusChanged();
  QUrl EnsureChime();

  QSoundEffect* effect_;
  std::unique_ptr<QTemporaryFile> chime_file_;
  QUrl chime_url_;
  bool loop_ = false;
};

}  // namespace orvaltic::gui
