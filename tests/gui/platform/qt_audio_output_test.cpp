#include "gui/platform/qt_audio_output.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <string>

#include <sys/stat.h>

namespace orvaltic::gui {
namespace {

// Qt loads a sample on a thread of its own; a test that ends while it still loads leaves that
// work unfinished at exit, which the leak checker reports.
void WaitUntilLoaded(const QtAudioOutput& output) {
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return output.Effect().status() != QSoundEffect::Loading; }, 10000));
}

TEST(QtAudioOutputTest, PlaysTheChimeFromAFileOfItsOwn) {
  QtAudioOutput output;
  EXPECT_TRUE(output.ChimeUrl().isEmpty());
  output.PlayDefault(/*loop=*/true);
  ASSERT_FALSE(output.ChimeUrl().isEmpty());
  EXPECT_EQ(output.Effect().source(), output.ChimeUrl());
  EXPECT_EQ(output.Effect().loopCount(), static_cast<int>(QSoundEffect::Infinite));

  QFile chime(output.ChimeUrl().toLocalFile());
  ASSERT_TRUE(chime.open(QIODevice::ReadOnly));
  EXPECT_EQ(chime.readAll().toStdString(), DefaultChimeWave());

  output.Stop();
  EXPECT_FALSE(output.Effect().isPlaying());
  WaitUntilLoaded(output);
}

TEST(QtAudioOutputTest, PlaysAFileOnceOrLooping) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("alarm.wav"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::string wave = DefaultChimeWave();
  file.write(wave.data(), static_cast<qint64>(wave.size()));
  file.close();

  QtAudioOutput output;
  EXPECT_TRUE(output.PlayFile(path.toStdString(), /*loop=*/false));
  EXPECT_EQ(output.Effect().source(), QUrl::fromLocalFile(path));
  EXPECT_EQ(output.Effect().loopCount(), 1);
  EXPECT_TRUE(output.PlayFile(path.toStdString(), /*loop=*/true));
  EXPECT_EQ(output.Effect().loopCount(), static_cast<int>(QSoundEffect::Infinite));
  output.Stop();
  WaitUntilLoaded(output);
}

// A file that passed the header check but that Qt cannot decode: the chime takes over, with
// the same loop setting.
TEST(QtAudioOutputTest, AFileQtCannotLoadFallsBackToTheChime) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("broken.wav"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  static constexpr char kBroken[] = "RIFF\0\0\0\0WAVEgarbage that no decoder takes";
  file.write(kBroken, sizeof kBroken - 1);
  file.close();

  QtAudioOutput output;
  output.PlayFile(path.toStdString(), /*loop=*/true);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !output.ChimeUrl().isEmpty() && output.Effect().source() == output.ChimeUrl(); },
      10000));
  EXPECT_EQ(output.Effect().loopCount(), static_cast<int>(QSoundEffect::Infinite));
  output.Stop();
  WaitUntilLoaded(output);
}

// A FIFO nobody writes to, named as the wave file: neither the check nor Qt's loader may open
// it, since both would wait for a writer. The call returns and the chime plays.
TEST(QtAudioOutputTest, AFifoPlaysTheChimeWithoutOpeningIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string fifo =
      QFile::encodeName(dir.filePath(QStringLiteral("alarm.wav"))).toStdString();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

  QtAudioOutput output;
  EXPECT_FALSE(output.PlayFile(fifo, /*loop=*/false));
  EXPECT_TRUE(output.Effect().source().isEmpty());

  SoundPlayer player(output);
  EXPECT_FALSE(player.PlaySound(fifo, kSndAsync | kSndLoop));
  ASSERT_FALSE(output.ChimeUrl().isEmpty());
  EXPECT_EQ(output.Effect().source(), output.ChimeUrl());
  EXPECT_EQ(output.Effect().loopCount(), static_cast<int>(QSoundEffect::Infinite));
  output.Stop();
  WaitUntilLoaded(output);
}

}  // namespace
}  // namespace orvaltic::gui
