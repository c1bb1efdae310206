#include "app/card_handoff.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>

#include "core/controller/remote_control.h"
#include "core/platform/printable_text.h"

namespace orvaltic::app {

namespace {

// Longer than any command takes the radio (the most volume steps, one spacing each, then a
// command handed over before this one), short enough for a hotkey that must not hang.
constexpr int kAnswerTimeoutMs = kMaxVolumeSteps * RemoteControl::kVolumePressSpacingMs + 10000;
constexpr std::size_t kReasonBytes = 200;

}  // namespace

std::optional<HandedCommand> HandToRunningRadio(const std::vector<std::string>& args) {
  // Qt's bus connection wants an application object; it takes no arguments of ours.
  int argc = 1;
  char name[] = "orvaltic-card";
  char* argv[] = {name, nullptr};
  const QCoreApplication application(argc, argv);

  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() ||
      !bus.interface()->isServiceRegistered(QString::fromLatin1(kMprisService)).value()) {
    return std::nullopt;
  }
  QStringList list;
  for (const std::string& arg : args) {
    list << QString::fromStdString(arg);
  }
  QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromLatin1(kMprisService), QString::fromLatin1(kMprisPath),
      QString::fromLatin1(kCardInterface), QStringLiteral("Run"));
  call << list;
  const QDBusMessage reply = bus.call(call, QDBus::Block, kAnswerTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2) {
    return HandedCommand{kCardExitUnreachable,
                         "the running radio did not answer: " + reply.errorMessage().toStdString()};
  }
  const int code = reply.arguments().at(0).toInt();
  if (code == RemoteControl::kOtherCard) {
    return std::nullopt;
  }
  // The reason comes from another program on the bus: it reaches the terminal as one line of
  // printable text of a sane length.
  return HandedCommand{
      code, ShortPrintableText(reply.arguments().at(1).toString().toStdString(), kReasonBytes)};
}

}  // namespace orvaltic::app
