#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

#include "core/platform/help.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace orvaltic::gui {

// The help window: the contents (or the topics a search found) at the left, the topic at the
// right, with Back, Forward and Contents. Not modal: the radio goes on working beside it.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the topic of `context`; false, with a page that says so, when there is none.
  bool ShowTopic(int context);
  // Shows a plain-text page saying why no help can be shown.
  void ShowProblem(const QString& text);
  // Lists the topics whose text holds every word of `words` ("" lists them all).
  void Search(const QString& words);

  QTextBrowser* browser() const { return browser_; }
  QListWidget* topics() const { return topics_; }

 private:
  QPushButton* back_;
  QPushButton* forward_;
  QPushButton* contents_;
  QLineEdit* search_;
  QListWidget* topics_;
  QTextBrowser* browser_;
};

// The help engine of the program: opens the built-in help at a context number, for either
// name the program gives its help file, and closes it on kHelpQuit. The window is made on the
// first request. While a modal dialog is open (a dialog's Help button), the window attaches to
// that dialog, so that it is not blocked by it, and detaches when the dialog closes.
class HelpViewer : public QObject, public Help {
  Q_OBJECT

 public:
  HelpViewer();
  ~HelpViewer() override;

  bool WinHelp(const std::string& help_file, unsigned command, std::uint32_t data) override;
  // Null until the first request.
  HelpWindow* window() const { return window_.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Present();
  void AttachToModal();
  void Detach();

  std::unique_ptr<HelpWindow> window_;
  QPointer<QWidget> modal_;
};

}  // namespace orvaltic::gui
