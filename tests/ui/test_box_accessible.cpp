// What a screen reader gets from a text box: the whole value as one run of
// text attributes (Orca builds the line it speaks from the runs) and the
// box's own selection.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>

#include "ui/accessibility.h"

namespace noboria {
namespace {

TEST(BoxAccessible, EveryOffsetLiesInOneRunOverTheWholeValue) {
  install_accessibility();
  for (const char* value : {"5", "50", "100", ""}) {
    QLineEdit box(QString::fromLatin1(value));
    box.selectAll();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&box)->textInterface();
    ASSERT_NE(text, nullptr) << value;
    const int length = box.text().size();
    EXPECT_EQ(text->text(0, text->characterCount()), box.text());
    for (int offset = 0; offset < std::max(length, 1); ++offset) {
      int start = -1, end = -1;
      text->attributes(offset, &start, &end);
      EXPECT_EQ(std::pair(start, end), std::pair(0, length)) << value << " at " << offset;
    }
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, length)) << value;
  }
}

}  // namespace
}  // namespace noboria
