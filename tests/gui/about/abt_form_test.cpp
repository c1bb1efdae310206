#include "gui/about/abt_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "../platform/accessible_controls.h"

namespace orvaltic::gui::testing {
namespace {

TEST(AbtFormTest, ShowsNameVersionAndThreeLinesThatFitTheirLabels) {
  TAbtForm form;
  EXPECT_EQ(form.objectName(), QStringLiteral("AbtForm"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("About Orvaltic"));
  EXPECT_EQ(form.size(), QSize(263, 140));
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  auto* name = form.findChild<QLabel*>(QStringLiteral("ProductName"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->text(), QStringLiteral("Orvaltic"));
  EXPECT_TRUE(name->font().bold());
  EXPECT_EQ(name->font().pointSize(), 18);
  EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::red));
  EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Version"))->text(),
            QStringLiteral("Version 1.30"));
  EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("ProgramIcon"))->pixmap().size(), QSize(32, 32));
  for (QLabel* label : form.findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) {
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
          << label->objectName().toStdString();
    }
  }
  EXPECT_TRUE(UnnamedControls(form).isEmpty());
}

// OK, Escape and the window's close command all end the modal showing.
TEST(AbtFormTest, ClosesWithOkEscapeAndTheCloseCommand) {
  TAbtForm form;
  const std::function<void()> ways[] = {
      [&] {
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
      },
      [&] { QTest::keyClick(&form, Qt::Key_Escape); },
      [&] { form.close(); },
  };
  for (const auto& way : ways) {
    bool was_shown = false;
    QTimer::singleShot(0, &form, [&] {
      was_shown = form.isVisible();
      way();
    });
    form.exec();
    EXPECT_TRUE(was_shown);
    EXPECT_FALSE(form.isVisible());
  }
}

}  // namespace
}  // namespace orvaltic::gui::testing
