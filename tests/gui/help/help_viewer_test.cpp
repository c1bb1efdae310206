#include "gui/help/help_viewer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include <set>
#include <string>
#include <vector>

#include "../platform/accessible_controls.h"
#include "core/controller/command_line.h"
#include "core/panels/help_requests.h"
#include "core/panels/popup_menu.h"
#include "core/schedule/sched_editor.h"
#include "gui/help/help_book.h"

namespace orvaltic::gui::testing {
namespace {

void CollectContexts(const std::vector<MenuItem>& items, std::set<int>& contexts) {
  for (const MenuItem& item : items) {
    if (item.help_context != 0) {
      contexts.insert(item.help_context);
    }
    CollectContexts(item.items, contexts);
  }
}

QString PageText(const QString& page) {
  QFile file(QStringLiteral(":/help/pages/") + page);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(HelpBookTest, EveryContextTheProgramUsesHasAPage) {
  std::set<int> contexts = {kPanelHelpContext, kScheduleHelpContext, kCommandLineHelpContext};
  CollectContexts(PopupMenuModel().Items(), contexts);
  EXPECT_EQ(contexts.size(), 16u);
  for (int context : contexts) {
    const HelpTopic* topic = FindHelpTopic(context);
    ASSERT_NE(topic, nullptr) << "context " << context;
    EXPECT_FALSE(PageText(QString::fromLatin1(topic->page)).isEmpty()) << topic->page;
  }
}

TEST(HelpBookTest, EveryLinkAndPictureInsideTheHelpResolves) {
  static const QRegularExpression kReference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
  int references = 0;
  for (const HelpTopic& topic : HelpTopics()) {
    const QString text = PageText(QString::fromLatin1(topic.page));
    for (const auto& match : kReference.globalMatch(text)) {
      ++references;
      const QUrl target =
          QUrl(QStringLiteral("qrc:/help/pages/") + topic.page).resolved(QUrl(match.captured(1)));
      ASSERT_EQ(target.scheme(), QStringLiteral("qrc"))
          << topic.page << ": " << match.captured(1).toStdString();
      const QString page = PageText(target.path().mid(QStringLiteral("/help/pages/").size()));
      EXPECT_FALSE(page.isEmpty()) << topic.page << " -> " << target.toString().toStdString();
      if (target.hasFragment()) {
        EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(target.fragment())))
            << topic.page << " -> " << target.toString().toStdString();
      }
    }
  }
  EXPECT_GT(references, 20);
}

TEST(HelpBookTest, BothNamesOfTheHelpFileMeanTheBuiltInHelp) {
  for (const char* name : {"Orvaltic.HLP", "C:\\Orvaltic\\Orvaltic.HLP", "c:/orvaltic/orvaltic.hlp",
                           "/usr/share/ORVALTIC.HLP"}) {
    EXPECT_TRUE(IsBuiltInHelpFile(name)) << name;
  }
  for (const char* name : {"", "Other.HLP", "Orvaltic.HLP.bak", "C:\\Orvaltic.HLP\\", "Orvaltic"}) {
    EXPECT_FALSE(IsBuiltInHelpFile(name)) << name;
  }
}

TEST(HelpViewerTest, OpensATopicWithoutBlockingAndReportsWhatItCannotShow) {
  HelpViewer viewer;
  EXPECT_EQ(viewer.window(), nullptr);  // made on the first request
  EXPECT_TRUE(viewer.WinHelp("C:\\Orvaltic\\Orvaltic.HLP", kHelpContext, 1));
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(window->isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(window->browser()->documentTitle(), QStringLiteral("The front panel"));
  EXPECT_TRUE(UnnamedControls(*window).isEmpty());

  // Back returns to the first topic after a second one.
  EXPECT_TRUE(viewer.WinHelp("Orvaltic.HLP", kHelpContext, 26));
  EXPECT_EQ(window->browser()->documentTitle(), QStringLiteral("Scheduled programs"));
  window->browser()->backward();
  EXPECT_EQ(window->browser()->documentTitle(), QStringLiteral("The front panel"));

  EXPECT_FALSE(viewer.WinHelp("Radio.HLP", kHelpContext, 1));
  EXPECT_TRUE(
      window->browser()->toPlainText().contains(QStringLiteral("\"Radio.HLP\" cannot be found")));
  EXPECT_FALSE(viewer.WinHelp("Orvaltic.HLP", kHelpContext, 99));
  EXPECT_TRUE(window->browser()->toPlainText().contains(QStringLiteral("no topic 99")));

  window->Search(QStringLiteral("wave file"));
  std::vector<std::string> found;
  for (int i = 0; i < window->topics()->count(); ++i) {
    found.push_back(window->topics()->item(i)->text().toStdString());
  }
  EXPECT_EQ(found, (std::vector<std::string>{"Options", "The alarm", "The snooze"}));

  EXPECT_TRUE(viewer.WinHelp("C:\\Orvaltic\\Orvaltic.HLP", kHelpQuit, 0));
  EXPECT_FALSE(window->isVisible());
}

TEST(HelpViewerTest, AHelpRequestBringsBackAMinimisedWindow) {
  HelpViewer viewer;
  viewer.WinHelp("Orvaltic.HLP", kHelpContext, 1);
  HelpWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  window->showMinimized();
  ASSERT_TRUE(window->isMinimized());
  EXPECT_TRUE(viewer.WinHelp("Orvaltic.HLP", kHelpContext, 13));
  EXPECT_FALSE(window->isMinimized());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->browser()->documentTitle(), QStringLiteral("Panel styles"));
}

TEST(HelpViewerTest, AttachesToAnOpenModalDialogAndSurvivesItsEnd) {
  HelpViewer viewer;
  auto dialog = std::make_unique<QDialog>();
  QTimer::singleShot(0, dialog.get(), [&] {
    viewer.WinHelp("Orvaltic.HLP", kHelpContext, 26);
    // A window that belongs to the modal dialog takes input while the dialog is up.
    EXPECT_EQ(viewer.window()->parentWidget(), dialog.get());
    dialog->reject();
  });
  dialog->exec();
  dialog.reset();
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_EQ(viewer.window()->parentWidget(), nullptr);
  EXPECT_TRUE(viewer.window()->isVisible());
}

}  // namespace
}  // namespace orvaltic::gui::testing
