#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"

namespace {
struct Recorded_Grid {
  Recorded_Grid() {
    g.Set_Format_String("^Channel|^  Band  |RX|^Name");
    g.Set_Rows(11);
    g.resize(600, 300);
    g.LeaveCell = [this] { log.push_back(QString("leave %1,%2").arg(g.Row()).arg(g.Col())); };
    g.Click = [this] { log.push_back(QString("click %1,%2").arg(g.Row()).arg(g.Col())); };
    g.DblClick = [this] {
      log.push_back(QString("dbl %1,%2").arg(g.Mouse_Row()).arg(g.Mouse_Col()));
    };
  }
  void Mouse(QEvent::Type t, int row, int col) {
    const QRect r = g.visualRect(g.model()->index(row - 1, col));
    QMouseEvent e(t, QPointF(r.center()), g.viewport()->mapToGlobal(QPointF(r.center())),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &e);
  }
  Vb_Grid g;
  QStringList log;
};
}  // namespace

TEST(VbGrid, FormatStringSetsColumnsAlignmentAndWidths) {
  Vb_Grid g;
  g.Set_Format_String("^Channel|^  Band  |信   道   名   称");
  ASSERT_EQ(g.Cols(), 3);
  EXPECT_EQ(g.Text_At(0, 1), "  Band  ") << "the blanks are part of the header";
  EXPECT_EQ(g.Text_At(0, 2), QString::fromUtf8("信   道   名   称"));
  const QFontMetrics fm = g.horizontalHeader()->fontMetrics();
  for (int c = 0; c < 3; ++c) EXPECT_GE(g.Col_Width(c), fm.horizontalAdvance(g.Text_At(0, c)));
  EXPECT_GT(g.Col_Width(1), fm.horizontalAdvance("Band"));
  g.Set_Rows(3);
  g.Set_Text_At(1, 1, "VHF/UHF ");
  g.Set_Text_At(1, 2, "x");
  EXPECT_EQ(g.item(0, 1)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(g.item(0, 2)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  EXPECT_EQ(g.Text_At(1, 1), "VHF/UHF ");
  EXPECT_EQ(g.Rows(), 3);
}

TEST(VbGrid, LeaveCellRunsBeforeEveryMoveWhileTheOldCellIsCurrent) {
  Recorded_Grid t;
  EXPECT_EQ(t.g.Row(), 1);
  EXPECT_EQ(t.g.Col(), 1);
  t.g.Set_Col(0);   // the program may make the number column current
  t.g.Set_Row(4);
  t.g.Set_Row(4);   // no move, no event
  t.Mouse(QEvent::MouseButtonPress, 2, 3);
  t.Mouse(QEvent::MouseButtonRelease, 2, 3);
  t.Mouse(QEvent::MouseButtonPress, 2, 3);  // the current cell again: nothing to leave
  t.Mouse(QEvent::MouseButtonRelease, 2, 3);
  EXPECT_EQ(t.log, (QStringList{"leave 1,1", "leave 1,0", "leave 4,0", "click 2,3", "click 2,3"}));
}

TEST(VbGrid, ArrowKeysMoveWithLeaveAndNoClickAndStayOutOfTheFixedColumn) {
  Recorded_Grid t;
  auto key = [&](Qt::Key k) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(&t.g, &e);
  };
  key(Qt::Key_Left);  // already in the first data column
  key(Qt::Key_Right);
  key(Qt::Key_Down);
  key(Qt::Key_Up);
  key(Qt::Key_Up);  // already at the first data row
  EXPECT_EQ(t.log, (QStringList{"leave 1,1", "leave 1,2", "leave 2,2"}));
  EXPECT_EQ(t.g.Row(), 1);
  EXPECT_EQ(t.g.Col(), 2);
}

TEST(VbGrid, DoubleClickRaisesClickThenDblClickAndAFixedCellMovesNothing) {
  Recorded_Grid t;
  t.g.Set_Text_At(3, 0, "2");
  t.Mouse(QEvent::MouseButtonPress, 3, 0);
  t.Mouse(QEvent::MouseButtonRelease, 3, 0);
  t.Mouse(QEvent::MouseButtonDblClick, 3, 0);
  t.Mouse(QEvent::MouseButtonRelease, 3, 0);
  EXPECT_EQ(t.log, (QStringList{"click 1,1", "dbl 3,0"}));
  EXPECT_EQ(t.g.Mouse_Row(), 3);
  EXPECT_EQ(t.g.Mouse_Col(), 0);
}

TEST(VbGrid, CellRectLiesOverTheCellAndScrollIsReported) {
  Recorded_Grid t;
  t.g.Set_Rows(200);
  t.g.show();
  int scrolls = 0;
  t.g.Scroll = [&] { ++scrolls; };
  t.g.Set_Row(3);
  t.g.Set_Col(2);
  const QRect r = t.g.Cell_Rect();
  const QRect v = t.g.visualRect(t.g.model()->index(2, 2));
  // The cell's rectangle includes its grid line.
  EXPECT_TRUE(r.contains(v.translated(t.g.viewport()->pos())));
  EXPECT_LE(r.width() - v.width(), 1);
  EXPECT_LE(r.height() - v.height(), 1);
  EXPECT_EQ(t.g.childAt(r.center()), t.g.viewport());
  t.g.Set_Top_Row(50);
  EXPECT_GT(scrolls, 0);
  EXPECT_EQ(t.g.Top_Row(), 50);
}

TEST(VbTabStrip, TabsAreNumberedFromOneAndClicksReportTheChoice) {
  QWidget parent;
  Vb_TabStrip tabs(&parent);
  tabs.setGeometry(10, 20, 400, 300);
  std::vector<int> clicks;
  tabs.Click = [&] { clicks.push_back(tabs.Selected()); };
  tabs.Tabs_Clear();
  tabs.Tabs_Add("Encode");
  tabs.Tabs_Add("Decode");
  EXPECT_EQ(tabs.Tabs_Count(), 2);
  EXPECT_EQ(tabs.Selected(), 1);
  EXPECT_TRUE(clicks.empty()) << "adding tabs is no click";
  tabs.Click_Tab(2);
  tabs.Click_Tab(2);
  tabs.Set_Selected(1);
  EXPECT_EQ(clicks, (std::vector<int>{2, 2, 1}));
  tabs.Tabs_Clear();
  tabs.Tabs_Add("A");
  EXPECT_EQ(tabs.Tab_Caption(1), "A");
  const QRect c = tabs.Client_Rect();
  EXPECT_GT(c.top(), 20);
  EXPECT_GE(c.left(), 10);
  EXPECT_LE(c.right(), 410);
  EXPECT_LE(c.bottom(), 320);
}

TEST(VbTabStrip, AMouseClickOnEitherTabRaisesClickOnce) {
  QWidget parent;
  Vb_TabStrip tabs(&parent);
  tabs.setGeometry(0, 0, 400, 300);
  tabs.Tabs_Add("One");
  tabs.Tabs_Add("Two");
  parent.show();
  std::vector<int> clicks;
  tabs.Click = [&] { clicks.push_back(tabs.Selected()); };
  auto press = [&](int i) {
    const QPoint at = tabs.Bar()->tabRect(i - 1).center();
    QMouseEvent down(QEvent::MouseButtonPress, at, tabs.Bar()->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tabs.Bar(), &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, tabs.Bar()->mapToGlobal(at), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(tabs.Bar(), &up);
  };
  press(1);  // the tab selected already
  press(2);
  press(2);
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 2}));
}
