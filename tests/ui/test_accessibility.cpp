// What a screen reader learns of the windows, as Qt hands it over: roles and
// names from the layout, each caption said once, the day's names a few times
// a second instead of at every day, the summaries only to whoever reads them,
// the end of a run said once, and the About window's text at start-up.
#include <QAccessible>
#include <QLabel>
#include <QPushButton>

#include "form/layout.h"
#include "form/speech.h"
#include "ui/spoken_state.h"
#include "ui_test_support.h"

namespace noboria {
namespace {

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Qt hands changes to a reader only while one listens, so these tests read
// what a reader would find, and when.
class ReaderTest : public MainWindowTest {
 protected:
  static QAccessibleInterface* reader(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
  static QString name(QObject* object) { return reader(object)->text(QAccessible::Name); }
  static QString description(QObject* object) { return reader(object)->text(QAccessible::Description); }
  static void hand_over() { QTest::qWait(SpokenState::kDelayMs + 50); }
  void run_days(int days) { for (int i = 0; i < days; ++i) window->tick(); }
};

TEST_F(ReaderTest, EveryControlIsNamedAsTheLayoutSaysAndEachCaptionIsHeardOnce) {
  window->stop_button()->click();  // no day of its own while this test waits
  hand_over();
  AboutWindow& about = *window->about_window();
  for (const Control& c : controls()) {
    QWidget* widget = c.window == WindowId::main ? window->control(c.role) : about.control(c.role);
    SCOPED_TRACE(std::string(c.role));
    if (c.kind == Kind::field || c.kind == Kind::graph) continue;  // their summary stops speak for them
    const QString name = reader(widget)->text(QAccessible::Name);
    if (c.kind == Kind::count) {
      EXPECT_EQ(name.toStdString(), count_name(c, static_cast<QLabel*>(widget)->text().toStdString()));
    } else if (c.kind == Kind::caption && c.window == WindowId::main &&
               (c.text == control("day").name || c.text == control("herbivore_count").name ||
                c.text == control("carnivore_count").name)) {
      EXPECT_EQ(name, QString()) << "said with its count";
    } else {
      EXPECT_EQ(name.toStdString(), spoken_name(c));
    }
  }
  EXPECT_EQ(reader(window.get())->role(), QAccessible::Window);
  EXPECT_EQ(reader(window.get())->text(QAccessible::Name).toStdString(), window_text(WindowId::main).caption);
  EXPECT_EQ(reader(about.control("page_address_link"))->role(), QAccessible::Link);
  EXPECT_EQ(reader(window->control("graph_summary"))->role(), QAccessible::Chart);
  // The About window is a dialog, whose text a reader says as it comes
  // forward; the captions it is made of are not loose labels said again.
  EXPECT_EQ(reader(&about)->role(), QAccessible::Dialog);
  EXPECT_EQ(reader(&about)->text(QAccessible::Description).toStdString(), about_text());
  for (std::string_view role : about_text_roles()) EXPECT_EQ(reader(about.control(role))->role(), QAccessible::Paragraph);
}

TEST_F(ReaderTest, TheDaysReachReadersAFewTimesASecondAndTheSummariesOnlyWhoeverReadsThem) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->speed_box()->setText(QStringLiteral("1310.7"));  // no tick of its own while this test waits
  start_long_run();
  run_days(1);
  hand_over();
  const QString day = qt(control("day").name);
  ASSERT_EQ(name(window->day()), day + QStringLiteral(" 2"));  // day 1 of a sheet is shown as 2
  QWidget* graph = window->control("graph_summary");
  const QString before = description(graph);

  run_days(20);
  EXPECT_NE(name(window->day()), day + QStringLiteral(" 22")) << "handed over at every day";
  hand_over();
  EXPECT_EQ(name(window->day()), day + QStringLiteral(" 22"));
  EXPECT_EQ(description(graph), before) << "nobody reads it";

  graph->setFocus(Qt::TabFocusReason);  // told before a reader hears of the focus
  EXPECT_TRUE(description(graph).startsWith(day + QStringLiteral(" 22、"))) << description(graph).toStdString();
  run_days(5);
  hand_over();
  EXPECT_TRUE(description(graph).startsWith(day + QStringLiteral(" 27、"))) << description(graph).toStdString();
  EXPECT_FALSE(description(window->control("field_summary")).startsWith(day + QStringLiteral(" 27")));
}

// Each sentence said by a notification of its own that starts showing, with
// the sentence as its name: the names of those showing.
QStringList said(QWidget& window) {
  QStringList names;
  for (QWidget* notice : window.findChildren<QWidget*>(QStringLiteral("announcement"))) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
    if (notice->isVisible()) names += QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name);
  }
  return names;
}

TEST_F(ReaderTest, TheEndOfARunIsSaidOnce) {
  window->show();
  QCoreApplication::processEvents();
  const QStringList before = said(*window);
  window->text_box(1)->setText(QStringLiteral("0"));  // no herbivores: the run ends on its first day
  window->start_button()->click();
  run_days(3);
  ASSERT_FALSE(window->form().timer_on());
  EXPECT_EQ(said(*window), before + QStringList{qt(run_end_sentence(w()))});
}

// The About window opens at start-up, but the main window comes forward: the
// About window's text is said once the main window is active.
TEST_F(ReaderTest, TheAboutWindowsTextIsSaidWhenTheMainWindowFirstComesForward) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QCoreApplication::processEvents();
  const auto notices = window->findChildren<QWidget*>(QStringLiteral("announcement"));
  ASSERT_EQ(notices.size(), 1);
  EXPECT_EQ(name(notices[0]).toStdString(), window_text(WindowId::about).caption);
  EXPECT_EQ(description(notices[0]).toStdString(), about_text());
}

}  // namespace
}  // namespace noboria
