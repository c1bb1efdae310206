#include "gui/help/help_viewer.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include "gui/help/help_book.h"
#include "gui/platform/window_placement.h"

namespace orvaltic::gui {

namespace {

constexpr int kContextRole = Qt::UserRole;
// The help window is 760 x 520; beside a box in the middle of a small screen it may shrink to this.
constexpr QSize kSmallestHelpWindow(480, 320);

QString PlainTextOf(const HelpTopic& topic) {
  QFile file(QStringLiteral(":/help/pages/") + QString::fromLatin1(topic.page));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  QTextDocument document;
  document.setHtml(QString::fromUtf8(file.readAll()));
  return document.toPlainText();
}

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
  return button;
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Orvaltic Help"));
  resize(760, 520);

  back_ = Button(QStringLiteral("&Back"), QStringLiteral("BackBtn"), this);
  forward_ = Button(QStringLiteral("&Forward"), QStringLiteral("ForwardBtn"), this);
  contents_ = Button(QStringLiteral("&Contents"), QStringLiteral("ContentsBtn"), this);
  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("SearchEdit"));
  search_->setPlaceholderText(QStringLiteral("Search help"));
  search_->setAccessibleName(QStringLiteral("Search help"));
  search_->setClearButtonEnabled(true);

  topics_ = new QListWidget(this);
  topics_->setObjectName(QStringLiteral("TopicList"));
  topics_->setAccessibleName(QStringLiteral("Help topics"));
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("TopicBrowser"));
  browser_->setAccessibleName(QStringLiteral("Help topic"));
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);

  auto* bar = new QHBoxLayout;
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addWidget(contents_);
  bar->addStretch();
  bar->addWidget(search_);
  auto* splitter = new QSplitter(this);
  splitter->addWidget(topics_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 3);
  splitter->setSizes({200, 560});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(splitter, 1);

  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(contents_, &QPushButton::clicked, this, [this] { ShowTopic(9); });
  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::Search);
  connect(topics_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowTopic(item->data(kContextRole).toInt()); });
  connect(topics_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowTopic(item->data(kContextRole).toInt()); });
  Search({});
}

bool HelpWindow::ShowTopic(int context) {
  const HelpTopic* topic = FindHelpTopic(context);
  if (topic == nullptr) {
    ShowProblem(QStringLiteral("The help has no topic %1.").arg(context));
    return false;
  }
  browser_->setSource(HelpPageUrl(*topic));
  return true;
}

void HelpWindow::ShowProblem(const QString& text) {
  browser_->setPlainText(text);
}

void HelpWindow::Search(const QString& words) {
  const QStringList wanted = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  topics_->clear();
  for (const HelpTopic& topic : HelpTopics()) {
    const QString text = wanted.isEmpty() ? QString() : PlainTextOf(topic);
    const bool found = std::all_of(wanted.begin(), wanted.end(), [&](const QString& word) {
      return text.contains(word, Qt::CaseInsensitive);
    });
    if (found) {
      auto* item = new QListWidgetItem(QString::fromLatin1(topic.title), topics_);
      item->setData(kContextRole, topic.context);
    }
  }
  if (!wanted.isEmpty() && topics_->count() == 0) {
    new QListWidgetItem(QStringLiteral("(no topic found)"), topics_);
  }
}

HelpViewer::HelpViewer() = default;

HelpViewer::~HelpViewer() {
  Detach();
}

bool HelpViewer::WinHelp(const std::string& help_file, unsigned command, std::uint32_t data) {
  if (command == kHelpQuit) {
    if (window_ != nullptr) {
      Detach();
      window_->close();
    }
    return true;
  }
  if (command != kHelpContext) {
    return false;
  }
  if (window_ == nullptr) {
    window_ = std::make_unique<HelpWindow>();
  }
  bool shown = false;
  if (IsBuiltInHelpFile(help_file)) {
    shown = window_->ShowTopic(static_cast<int>(data));
  } else {
    window_->ShowProblem(
        QStringLiteral("The help file \"%1\" cannot be found.\n\nThe help of Orvaltic is built "
                       "into the program and opened by the name Orvaltic.HLP.")
            .arg(QString::fromStdString(help_file)));
  }
  Present();
  return shown;
}

void HelpViewer::Present() {
  // What asked for the help: an open box or dialog, else the active panel.
  QWidget* modal = QApplication::activeModalWidget();
  const QWidget* requester = modal != nullptr ? modal : QApplication::activeWindow();
  if (requester == window_.get()) {
    requester = nullptr;
  }
  AttachToModal();
  if (window_->isMinimized()) {
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
  }
  if (!window_->isVisible()) {
    // It comes up beside the window that asked, inside the screen, not over it: smaller, if
    // that is what it takes.
    MoveBeside(*window_, requester, {}, kSmallestHelpWindow);
  }
  // A box or dialog that asked keeps the focus: Return there still means its own default button.
  window_->setAttribute(Qt::WA_ShowWithoutActivating, modal != nullptr);
  window_->show();
  window_->raise();
  if (modal == nullptr) {
    window_->activateWindow();
  }
  // A dialog that is only being opened attaches the window once it is up.
  QMetaObject::invokeMethod(
      this, [this] { AttachToModal(); }, Qt::QueuedConnection);
}

void HelpViewer::AttachToModal() {
  QWidget* modal = QApplication::activeModalWidget();
  if (window_ == nullptr || modal == nullptr || modal == modal_ || modal == window_.get()) {
    return;
  }
  Detach();
  const bool visible = window_->isVisible();
  const QRect geometry = window_->geometry();
  modal_ = modal;
  modal->installEventFilter(this);
  window_->setParent(modal, Qt::Window);
  window_->setGeometry(geometry);
  if (visible) {
    window_->show();
  }
}

void HelpViewer::Detach() {
  if (modal_ != nullptr) {
    modal_->removeEventFilter(this);
  }
  modal_ = nullptr;
  if (window_ != nullptr && window_->parentWidget() != nullptr) {
    const bool visible = window_->isVisible();
    const QRect geometry = window_->geometry();
    window_->setParent(nullptr, Qt::Window);
    window_->setGeometry(geometry);
    if (visible) {
      window_->show();
    }
  }
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
  // The window leaves a dialog that closes, before the dialog could take it along.
  if (watched == modal_ && (event->type() == QEvent::Hide || event->type() == QEvent::Destroy)) {
    // A hidden child window counts as not visible: remember whether it was up.
    const bool was_shown = window_ != nullptr && !window_->isHidden();
    Detach();
    if (was_shown) {
      window_->show();
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace orvaltic::gui
