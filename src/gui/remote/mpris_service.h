#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QStringList>
#include <QVariantMap>
#include <ostream>

#include "core/controller/remote_control.h"

namespace orvaltic::gui {

class RadioWindows;

// The running radio on the session bus as a media player, so that the desktop's media keys
// and controls reach it, and as the card's owner for orvaltic-card. Every call presses the
// panel's buttons through the core's RemoteControl; after every event of the radio, whatever
// caused it, the properties that changed are signalled.
class MprisService : public QObject, protected QDBusContext {
  Q_OBJECT

 public:
  // Registers on `bus`. A bus that is not there, or that gives the name to another radio, is
  // reported once on `report`, and the radio runs on without remote control.
  MprisService(RadioWindows& windows, QDBusConnection bus, std::ostream& report);
  ~MprisService() override;

  bool registered() const { return registered_; }
  RemoteControl& remote() { return remote_; }
  RadioWindows& windows() { return windows_; }

  // Sends PropertiesChanged for what differs from the last state sent.
  void Refresh();
  QVariantMap Metadata() const;
  QString PlaybackStatusText() const;
  // A remote's press is refused while a modal window is open, as a click on a panel is.
  bool Accepting() const;
  // Shows and raises the panel that is shown.
  void Raise();
  // The close sequence, after the call's reply has gone out.
  void Quit();
  // Makes a media player's press after the call's reply has gone out: a press may open a box
  // (power-on with a saved frequency that is no number), which must not keep the caller
  // waiting for the user. The press is dropped when a modal window is open by then.
  void PressAfterReply(void (RemoteControl::*press)());
  // An orvaltic-card command: called over the bus, the reply goes out when the command is done
  // (a volume command after its last step), and the return value is not used.
  int RunCardCommand(const QStringList& args, QString& message);

 private:
  RadioWindows& windows_;
  RemoteControl remote_;
  QDBusConnection bus_;
  bool registered_ = false;
  QString sent_status_;
  NowPlaying sent_playing_;
};

// org.mpris.MediaPlayer2
class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ CanQuit)
  Q_PROPERTY(bool CanRaise READ CanRaise)
  Q_PROPERTY(bool HasTrackList READ HasTrackList)
  Q_PROPERTY(QString Identity READ Identity)
  Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

 public:
  explicit MprisRootAdaptor(MprisService& service);
  bool CanQuit() const { return true; }
  bool CanRaise() const { return true; }
  bool HasTrackList() const { return false; }
  QString Identity() const { return QStringLiteral("Orvaltic"); }
  QString DesktopEntry() const { return QStringLiteral("orvaltic"); }
  // A radio plays no files or streams.
  QStringList SupportedUriSchemes() const { return {}; }
  QStringList SupportedMimeTypes() const { return {}; }

 public slots:  // NOLINT
  void Raise();
  void Quit();

 private:
  MprisService& service_;
};

// org.mpris.MediaPlayer2.Player. The card only steps its volume up and down and tells no level,
// so the absolute Volume property is not offered: any number would be made up.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
  Q_PROPERTY(double Rate READ Rate)
  Q_PROPERTY(double MinimumRate READ Rate)
  Q_PROPERTY(double MaximumRate READ Rate)
  Q_PROPERTY(QVariantMap Metadata READ Metadata)
  Q_PROPERTY(qlonglong Position READ Position)
  Q_PROPERTY(bool CanGoNext READ CanControl)
  Q_PROPERTY(bool CanGoPrevious READ CanControl)
  Q_PROPERTY(bool CanPlay READ CanControl)
  Q_PROPERTY(bool CanPause READ CanControl)
  Q_PROPERTY(bool CanSeek READ CanSeek)
  Q_PROPERTY(bool CanControl READ CanControl)

 public:
  explicit MprisPlayerAdaptor(MprisService& service);
  QString PlaybackStatus() const { return service_.PlaybackStatusText(); }
  double Rate() const { return 1.0; }
  QVariantMap Metadata() const { return service_.Metadata(); }
  qlonglong Position() const { return 0; }
  bool CanControl() const { return true; }
  bool CanSeek() const { return false; }

 public slots:  // NOLINT
  void Next();
  void Previous();
  void Pause();
  void PlayPause();
  // A radio has no "stopped but on": Stop mutes, as Pause does.
  void Stop();
  void Play();
  // Live radio: there is nothing to seek in and no file to open.
  void Seek(qlonglong) {}
  void SetPosition(const QDBusObjectPath&, qlonglong) {}
  void OpenUri(const QString&) {}

 signals:
  void Seeked(qlonglong position);

 private:
  MprisService& service_;
};

// org.orvaltic.Card: Run(args) -> (exit code, message), the exit code orvaltic-card ends with.
class CardAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.orvaltic.Card")

 public:
  explicit CardAdaptor(MprisService& service);

 public slots:  // NOLINT
  int Run(const QStringList& args, QString& message);

 private:
  MprisService& service_;
};

}  // namespace orvaltic::gui
