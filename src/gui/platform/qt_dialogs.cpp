#include "gui/platform/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>

#include <utility>

#include "core/panels/panel_layout.h"
#include "gui/platform/font_dialog.h"
#include "gui/platform/qt_convert.h"
#include "gui/platform/text_codec.h"
#include "gui/platform/window_placement.h"

namespace orvaltic::gui {
namespace {

QString TitleFor(MessageKind kind) {
  switch (kind) {
    case MessageKind::kWarning:
      return QStringLiteral("Warning");
    case MessageKind::kError:
      return QStringLiteral("Error");
    case MessageKind::kInformation:
      return QStringLiteral("Information");
    case MessageKind::kConfirmation:
      return QStringLiteral("Confirm");
  }
  return {};
}

QMessageBox::Icon IconFor(MessageKind kind) {
  switch (kind) {
    case MessageKind::kWarning:
      return QMessageBox::Warning;
    case MessageKind::kError:
      return QMessageBox::Critical;
    case MessageKind::kInformation:
      return QMessageBox::Information;
    case MessageKind::kConfirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

// File names are bytes in the file system's encoding, not display text.
QString FromCorePath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ToCorePath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// Qt's file dialog takes a name in a folder that does not exist. This one refuses it, with
// a box, and stays open for another choice.
class PathCheckingFileDialog : public QFileDialog {
 public:
  PathCheckingFileDialog(QWidget* parent, const QString& caption, bool path_must_exist)
      : QFileDialog(parent, caption), path_must_exist_(path_must_exist) {}

  void accept() override {
    const QStringList files = selectedFiles();
    if (path_must_exist_ && !files.isEmpty()) {
      const QFileInfo chosen(files.first());
      if (!chosen.isDir() && !QFileInfo(chosen.absolutePath()).isDir()) {
        QMessageBox box(QMessageBox::Warning, windowTitle(),
                        QDir::toNativeSeparators(chosen.absoluteFilePath()) +
                            QStringLiteral("\nPath does not exist.\nCheck the path and try again."),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
      }
    }
    QFileDialog::accept();
  }

 private:
  bool path_must_exist_;
};

}  // namespace

QString ConvertFilter(const std::string& filter) {
  const QStringList parts = FromCoreText(filter).split(QLatin1Char('|'));
  // "Name (*.A;*.B)": the bracketed pattern list at the end of a description.
  static const QRegularExpression kTrailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& raw : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString pattern = raw.trimmed();
      if (pattern.isEmpty()) {
        continue;
      }
      patterns.append(pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern);
    }
    if (patterns.isEmpty()) {
      continue;
    }
    patterns.removeDuplicates();
    QString description = parts[i];
    description.remove(kTrailingPatterns);
    description = description.trimmed();
    if (description.isEmpty()) {
      description = patterns.join(QLatin1Char(' '));
    }
    filters.append(description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, MessageKind kind,
                                            MessageButtons buttons, QWidget* parent) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(TitleFor(kind));
  box->setIcon(IconFor(kind));
  box->setText(FromCoreText(text));
  box->setTextFormat(Qt::PlainText);
  box->setWindowModality(Qt::ApplicationModal);
  switch (buttons) {
    case MessageButtons::kOk:
      box->setStandardButtons(QMessageBox::Ok);
      box->setDefaultButton(QMessageBox::Ok);
      box->setEscapeButton(QMessageBox::Ok);
      break;
    case MessageButtons::kYesNoCancel:
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      box->setDefaultButton(QMessageBox::Yes);
      box->setEscapeButton(QMessageBox::Cancel);
      break;
    case MessageButtons::kOkHelp:
      box->setStandardButtons(QMessageBox::Ok | QMessageBox::Help);
      box->setDefaultButton(QMessageBox::Ok);
      box->setEscapeButton(QMessageBox::Ok);
      break;
  }
  return box;
}

std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogOptions& options, bool save,
                                            QWidget* parent) {
  auto dialog = std::make_unique<PathCheckingFileDialog>(parent, FromCoreText(options.title),
                                                         options.path_must_exist);
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(!save && options.must_exist ? QFileDialog::ExistingFile
                                                  : QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !(save && options.confirm_overwrite));
  // Settings files come from a case-insensitive file system: "*.CFG" must find "x.cfg".
  dialog->setFilter(dialog->filter() & ~QDir::CaseSensitive);
  if (const QString filters = ConvertFilter(options.filter); !filters.isEmpty()) {
    dialog->setNameFilter(filters);
  }
  if (!options.default_extension.empty()) {
    dialog->setDefaultSuffix(FromCoreText(options.default_extension));
  }

  const QString initial = FromCorePath(options.file_name);
  if (initial.contains(QLatin1Char('/'))) {
    const QFileInfo info(QDir::current(), initial);
    dialog->setDirectory(info.absolutePath());
    if (!info.fileName().isEmpty()) {
      dialog->selectFile(info.fileName());
    }
  } else {
    dialog->setDirectory(QDir::currentPath());
    if (!initial.isEmpty()) {
      dialog->selectFile(initial);
    }
  }
  return dialog;
}

QtDialogs::QtDialogs(std::function<void(int)> show_help, QWidget* parent)
    : show_help_(std::move(show_help)), parent_(parent) {}

QWidget* QtDialogs::Parent() const {
  return parent_ != nullptr ? parent_.data() : QApplication::activeWindow();
}

MessageResult QtDialogs::MessageBox(const std::string& text, MessageKind kind,
                                    MessageButtons buttons, int help_context) {
  const auto box = MakeMessageBox(text, kind, buttons, Parent());
  const MessageResult dismissed =
      buttons == MessageButtons::kYesNoCancel ? MessageResult::kCancel : MessageResult::kOk;
  // Help is asked for once the box is up again, so that the help window comes up beside it.
  bool help_wanted = false;
  const auto show_help = [&] {
    if (help_wanted) {
      help_wanted = false;
      if (show_help_) {
        show_help_(help_context);
      }
    }
  };
  for (;;) {
    if (help_wanted) {
      QTimer::singleShot(0, box.get(), show_help);
    }
    box->exec();
    show_help();  // answered before the help came up
    switch (box->standardButton(box->clickedButton())) {
      case QMessageBox::Help:
        // Help leaves the question open: show the box again until it is answered, with the
        // focus back on its default button, so that Return answers it.
        help_wanted = true;
        if (QPushButton* answer = box->defaultButton()) {
          box->setDefaultButton(answer);
          answer->setFocus();
        }
        continue;
      case QMessageBox::Ok:
        return MessageResult::kOk;
      case QMessageBox::Yes:
        return MessageResult::kYes;
      case QMessageBox::No:
        return MessageResult::kNo;
      case QMessageBox::Cancel:
        return MessageResult::kCancel;
      default:
        return dismissed;
    }
  }
}

void QtDialogs::Beep() {
  QApplication::beep();
}

std::optional<std::string> QtDialogs::InputQuery(const std::string& caption,
                                                 const std::string& prompt,
                                                 const std::string& text) {
  QInputDialog dialog(Parent());
  dialog.setWindowTitle(FromCoreText(caption));
  dialog.setLabelText(FromCoreText(prompt));
  dialog.setTextValue(FromCoreText(text));
  // A frequency typed here is shown on the display: it stays in view.
  PlaceBesidePanel(dialog);
  // The prompt is shown as it is, never read as markup.
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    label->setTextFormat(Qt::PlainText);
  }
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return ToCoreText(dialog.textValue());
}

std::optional<std::string> QtDialogs::RunFileDialog(const FileDialogOptions& options, bool save) {
  const auto dialog = MakeFileDialog(options, save, Parent());
  if (dialog->exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList files = dialog->selectedFiles();
  if (files.isEmpty()) {
    return std::nullopt;
  }
  return ToCorePath(files.first());
}

std::optional<std::string> QtDialogs::OpenFileName(const FileDialogOptions& options) {
  return RunFileDialog(options, /*save=*/false);
}

std::optional<std::string> QtDialogs::SaveFileName(const FileDialogOptions& options) {
  return RunFileDialog(options, /*save=*/true);
}

void QtDialogs::PlaceBesidePanel(QWidget& dialog) const {
  const QWidget* panel = Parent();
  if (panel == nullptr) {
    return;
  }
  QRect display;
  if (const auto* shown =
          panel->window()->findChild<QWidget*>(QString::fromLatin1(control_name::kFreqPanel));
      shown != nullptr && shown->isVisible()) {
    display = QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size());
  }
  MoveBeside(dialog, panel, display);
}

std::optional<FontSpec> QtDialogs::ChooseFont(
    const FontSpec& initial, const std::function<void(const FontSpec&)>& on_apply) {
  FontDialog dialog(Parent());
  dialog.SetFontSpec(initial);
  dialog.SetOnApply(on_apply);
  // Beside the panel, whose display shows what Apply does.
  PlaceBesidePanel(dialog);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return dialog.CurrentFontSpec();
}

std::optional<Color> QtDialogs::ChooseColor(Color initial) {
  QColorDialog dialog(ToQColor(initial), Parent());
  dialog.setWindowTitle(QStringLiteral("Color"));
  PlaceBesidePanel(dialog);
  if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid()) {
    return std::nullopt;
  }
  return FromQColor(dialog.selectedColor());
}

}  // namespace orvaltic::gui
