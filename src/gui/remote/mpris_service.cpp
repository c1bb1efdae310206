#include "gui/remote/mpris_service.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTimer>
#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "core/controller/radio_controller.h"
#include "gui/platform/text_codec.h"
#include "gui/radio_windows.h"

namespace orvaltic::gui {

namespace {

constexpr char kRootInterface[] = "org.mpris.MediaPlayer2";
constexpr char kPlayerInterface[] = "org.mpris.MediaPlayer2.Player";
// As the panel shows it: station names from a settings file written on Windows are
// Windows-1252, not replacement characters.
QString FromCore(const std::string& text) {
  return FromCoreText(text);
}

}  // namespace

MprisService::MprisService(RadioWindows& windows, QDBusConnection bus, std::ostream& report)
    : windows_(windows),
      remote_(windows.controller(), [] { return QApplication::activeModalWidget() == nullptr; }),
      bus_(std::move(bus)) {
  new MprisRootAdaptor(*this);
  new MprisPlayerAdaptor(*this);
  new CardAdaptor(*this);
  sent_status_ = PlaybackStatusText();
  sent_playing_ = remote_.Playing();
  if (!bus_.isConnected()) {
    report << "orvaltic: no session bus (" << bus_.lastError().message().toStdString()
           << "); the radio runs without remote control\n";
    return;
  }
  if (!bus_.registerObject(QString::fromLatin1(kMprisPath), this,
                           QDBusConnection::ExportAdaptors)) {
    report << "orvaltic: the session bus refused the radio's object; the radio runs without "
              "remote control\n";
    return;
  }
  // Not queued and not replacing: a second radio is told at once that the name is taken.
  const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
      bus_.interface()->registerService(QString::fromLatin1(kMprisService),
                                        QDBusConnectionInterface::DontQueueService,
                                        QDBusConnectionInterface::DontAllowReplacement);
  if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
    bus_.unregisterObject(QString::fromLatin1(kMprisPath));
    report << "orvaltic: " << kMprisService
           << " is taken on the session bus (another radio is running); this one runs without "
              "remote control\n";
    return;
  }
  registered_ = true;
  windows_.SetAfterRender([this] { Refresh(); });
}

MprisService::~MprisService() {
  if (registered_) {
    windows_.SetAfterRender({});
    bus_.unregisterService(QString::fromLatin1(kMprisService));
    bus_.unregisterObject(QString::fromLatin1(kMprisPath));
  }
}

QString MprisService::PlaybackStatusText() const {
  switch (remote_.Status()) {
    case PlaybackStatus::kStopped:
      return QStringLiteral("Stopped");
    case PlaybackStatus::kPlaying:
      return QStringLiteral("Playing");
    case PlaybackStatus::kPaused:
      return QStringLiteral("Paused");
  }
  return QStringLiteral("Stopped");
}

QVariantMap MprisService::Metadata() const {
  const NowPlaying playing = remote_.Playing();
  QString track = FromCore(playing.frequency);
  track.replace(QLatin1Char('.'), QLatin1Char('_'));
  // Object paths take [A-Za-z0-9_] only; the display text is a number or, blacked out, empty.
  for (QChar& c : track) {
    if (!c.isLetterOrNumber() || c.unicode() > 0x7F) {
      c = QLatin1Char('_');
    }
  }
  if (track.isEmpty()) {
    track = QStringLiteral("none");
  }
  QVariantMap map;
  map.insert(
      QStringLiteral("mpris:trackid"),
      QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/orvaltic/frequency/") + track)));
  map.insert(QStringLiteral("xesam:title"), FromCore(playing.title));
  map.insert(QStringLiteral("orvaltic:frequency"), FromCore(playing.frequency));
  map.insert(QStringLiteral("orvaltic:preset"), playing.preset);
  return map;
}

void MprisService::Refresh() {
  if (!registered_) {
    return;
  }
  QVariantMap changed;
  const QString status = PlaybackStatusText();
  if (status != sent_status_) {
    changed.insert(QStringLiteral("PlaybackStatus"), status);
    sent_status_ = status;
  }
  const NowPlaying playing = remote_.Playing();
  if (!(playing == sent_playing_)) {
    changed.insert(QStringLiteral("Metadata"), Metadata());
    sent_playing_ = playing;
  }
  if (changed.isEmpty()) {
    return;
  }
  QDBusMessage signal = QDBusMessage::createSignal(
      QString::fromLatin1(kMprisPath), QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
  bus_.send(signal);
}

bool MprisService::Accepting() const {
  return QApplication::activeModalWidget() == nullptr;
}

void MprisService::Raise() {
  QWidget* shown = nullptr;
  if (windows_.controller().panels().Main().visible) {
    shown = &windows_.main_panel();
  }
  for (int style = 2; style <= kPanelCount && shown == nullptr; ++style) {
    if (windows_.controller().panels().Style(style).visible) {
      shown = windows_.style_panel(style);
    }
  }
  if (shown == nullptr) {
    return;
  }
  shown->show();
  shown->setWindowState(shown->windowState() & ~Qt::WindowMinimized);
  shown->raise();
  shown->activateWindow();
}

void MprisService::Quit() {
  // Queued: the caller gets its reply before the question of the close sequence opens.
  QTimer::singleShot(0, this, [this] {
    if (Accepting()) {
      windows_.RequestClose();
    }
  });
}

void MprisService::PressAfterReply(void (RemoteControl::*press)()) {
  QTimer::singleShot(0, this, [this, press] {
    if (Accepting()) {
      (remote_.*press)();
    }
  });
}

int MprisService::RunCardCommand(const QStringList& args, QString& message) {
  if (!calledFromDBus()) {
    message = QStringLiteral("a card command comes over the session bus");
    return kCardExitUsage;
  }
  std::vector<std::string> core_args;
  for (const QString& arg : args) {
    core_args.push_back(arg.toStdString());
  }
  // The caller waits for the command's end: a second command handed right after this one must
  // find its steps done.
  setDelayedReply(true);
  remote_.RunCardCommand(core_args, [call = this->message(), bus = connection()](
                                        const RemoteControl::Reply& reply) mutable {
    bus.send(call.createReply({reply.exit_code, FromCore(reply.message)}));
  });
  return kCardExitOk;
}

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

void MprisRootAdaptor::Raise() {
  service_.Raise();
}

void MprisRootAdaptor::Quit() {
  if (service_.Accepting()) {
    service_.Quit();
  }
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

void MprisPlayerAdaptor::Next() {
  if (service_.Accepting()) {
    service_.PressAfterReply(&RemoteControl::Next);
  }
}

void MprisPlayerAdaptor::Previous() {
  if (service_.Accepting()) {
    service_.PressAfterReply(&RemoteControl::Previous);
  }
}

void MprisPlayerAdaptor::Pause() {
  if (service_.Accepting()) {
    service_.PressAfterReply(&RemoteControl::Pause);
  }
}

void MprisPlayerAdaptor::PlayPause() {
  if (service_.Accepting()) {
    service_.PressAfterReply(&RemoteControl::PlayPause);
  }
}

void MprisPlayerAdaptor::Stop() {
  Pause();
}

void MprisPlayerAdaptor::Play() {
  if (service_.Accepting()) {
    service_.PressAfterReply(&RemoteControl::Play);
  }
}

CardAdaptor::CardAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

int CardAdaptor::Run(const QStringList& args, QString& message) {
  return service_.RunCardCommand(args, message);
}

}  // namespace orvaltic::gui
