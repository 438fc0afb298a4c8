#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionHeader>
#include <functional>

#include "platform/twips.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "support/grid_input.h"

namespace {
struct Recorded_Grid {
  Recorded_Grid() {
    g.Set_Format_String("^Channel|^  Band  |RX|^Name");
    g.Set_Rows(11);
    g.resize(600, 300);
    g.show();
    g.LeaveCell = [this] { log.push_back(QString("leave %1,%2").arg(g.Row()).arg(g.Col())); };
    g.Click = [this] { log.push_back(QString("click %1,%2").arg(g.Row()).arg(g.Col())); };
    g.DblClick = [this] {
      log.push_back(QString("dbl %1,%2").arg(g.Mouse_Row()).arg(g.Mouse_Col()));
    };
  }
  // A mouse event on the widget that shows the cell (the data or the fixed column).
  void Mouse(QEvent::Type t, int row, int col) {
    const QPoint at = g.Cell_Rect_At(row, col).center();
    QWidget* target = g.childAt(at);
    const QPointF local = target->mapFrom(&g, at);
    QMouseEvent e(t, local, target->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
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
  EXPECT_EQ(t.log, (QStringList{"leave 1,1", "click 1,1", "dbl 3,0"}));
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

namespace {
// A window with a grid wider and taller than it shows.
struct Scrolling_Grid {
  Scrolling_Grid() : g(&top) {
    g.Set_Format_String("^Channel|^  Band  |^RX Frequency|^TX Frequency|^Name|^Spare|^Other");
    g.Set_Rows(100);
    for (int r = 1; r < 100; ++r) g.Set_Text_At(r, 0, QString::number(r - 1));
    g.setGeometry(0, 0, 260, 200);
    top.resize(300, 240);
    top.show();
  }
  QWidget top;
  Vb_Grid g;
};
}  // namespace

TEST(VbGrid, EveryScrollHidesTheAttachedEditorsFirstAndTheKeysGoToTheGrid) {
  struct Way {
    const char* name;
    std::function<void(Vb_Grid&)> scroll;
  } ways[] = {
      {"wheel", [](Vb_Grid& g) { Wheel_Grid(&g, 1); }},
      {"wheel sideways", [](Vb_Grid& g) { Wheel_Grid(&g, 1, Qt::Horizontal); }},
      {"wheel over the fixed column",
       [](Vb_Grid& g) {
         QWidget* fixed = Widget_Over_Cell(&g, 2, 0);
         const QPointF at(2, 2);
         QWheelEvent e(at, fixed->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
         QApplication::sendEvent(fixed, &e);
       }},
      {"scroll bar", [](Vb_Grid& g) { g.verticalScrollBar()->setValue(5); }},
      {"sideways scroll bar", [](Vb_Grid& g) { g.horizontalScrollBar()->setValue(40); }},
      {"page down in the grid",
       [](Vb_Grid& g) {
         QKeyEvent e(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
         QApplication::sendEvent(&g, &e);
       }},
      {"the program", [](Vb_Grid& g) { g.Set_Top_Row(30); }},
  };
  for (const Way& way : ways) {
    Scrolling_Grid t;
    QLineEdit box(&t.top);
    QComboBox list(&t.top);
    list.setEditable(true);
    t.g.Attach_Editor(&box);
    t.g.Attach_Editor(&list);
    t.g.Set_Row(2);
    box.setGeometry(t.g.Cell_Rect().translated(t.g.pos()));
    list.setGeometry(t.g.Cell_Rect_At(3, 1).translated(t.g.pos()));
    box.show();
    list.show();
    box.setText("typed");
    box.setFocus();
    bool hidden_first = false;
    int scrolls = 0;
    t.g.Scroll = [&] {
      ++scrolls;
      hidden_first = box.isHidden() && list.isHidden();
    };
    way.scroll(t.g);
    ASSERT_GT(scrolls, 0) << way.name;
    EXPECT_TRUE(hidden_first) << way.name << ": hidden before Scroll is raised";
    EXPECT_TRUE(box.isHidden() && list.isHidden()) << way.name;
    EXPECT_EQ(Focus_In(&t.g), &t.g) << way.name;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(Focus_In(&t.g), &key);
    EXPECT_EQ(box.text(), "typed") << way.name << ": the hidden box takes no keys and keeps its text";
  }
}

TEST(VbGrid, AClickOnTheFixedColumnEndsTheEditAsALeaveThenHidesTheEditorsAndMovesNothing) {
  struct Way {
    const char* name;
    std::function<void(Vb_Grid&)> click;
  } ways[] = {
      {"mouse", [](Vb_Grid& g) { Click_Grid_Cell(&g, 5, 0); }},
      {"program", [](Vb_Grid& g) { g.Click_Cell(5, 0); }},
  };
  for (const Way& way : ways) {
    Scrolling_Grid t;
    QComboBox list(&t.top);
    list.setEditable(true);
    t.g.Attach_Editor(&list);
    t.g.Set_Row(2);
    t.g.Set_Col(2);
    t.g.Float_Editor(&list, 2, 2, false);
    list.show();
    list.setEditText("picked");
    list.setFocus();
    QStringList log;
    t.g.LeaveCell = [&] {
      log << QString("leave %1,%2 %3").arg(t.g.Row()).arg(t.g.Col()).arg(list.isHidden() ? "hidden" : "shown");
    };
    t.g.Click = [&] { log << QString("click %1").arg(list.isHidden() ? "hidden" : "shown"); };
    way.click(t.g);
    EXPECT_EQ(log, (QStringList{"leave 2,2 shown", "click hidden"})) << way.name;
    EXPECT_TRUE(list.isHidden()) << way.name;
    EXPECT_EQ(Focus_In(&t.g), &t.g) << way.name;
    EXPECT_EQ(t.g.Row(), 2) << way.name;
    EXPECT_EQ(t.g.Col(), 2) << way.name;
    EXPECT_EQ(t.g.Mouse_Row(), 5) << way.name;
    EXPECT_EQ(list.currentText(), "picked") << way.name << ": the text stays for the window";
  }
}

TEST(VbGrid, ARefusedLeaveKeepsTheCellAndItsEditorAndRaisesNoClick) {
  struct Way {
    const char* name;
    std::function<void(Vb_Grid&)> move;
  } ways[] = {
      {"mouse on a data cell", [](Vb_Grid& g) { Click_Grid_Cell(&g, 4, 1); }},
      {"mouse on the fixed column", [](Vb_Grid& g) { Click_Grid_Cell(&g, 4, 0); }},
      {"program click", [](Vb_Grid& g) { g.Click_Cell(4, 1); }},
      {"arrow key",
       [](Vb_Grid& g) {
         QKeyEvent e(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
         QApplication::sendEvent(&g, &e);
       }},
      {"program move", [](Vb_Grid& g) { g.Set_Row(4); }},
  };
  for (const Way& way : ways) {
    Scrolling_Grid t;
    QLineEdit box(&t.top);
    t.g.Attach_Editor(&box);
    t.g.Set_Row(2);
    t.g.Set_Col(2);
    t.g.Float_Editor(&box, 2, 2, true);
    box.show();
    int leaves = 0, clicks = 0;
    t.g.LeaveCell = [&] {
      ++leaves;
      t.g.Refuse_Leave();
    };
    t.g.Click = [&] { ++clicks; };
    t.g.setFocus();
    way.move(t.g);
    EXPECT_EQ(leaves, 1) << way.name;
    EXPECT_EQ(clicks, 0) << way.name;
    EXPECT_EQ(t.g.Row(), 2) << way.name;
    EXPECT_EQ(t.g.Col(), 2) << way.name;
    EXPECT_FALSE(box.isHidden()) << way.name;
    // The next leave that is not refused moves as usual.
    t.g.LeaveCell = nullptr;
    t.g.Set_Row(4);
    EXPECT_EQ(t.g.Row(), 4) << way.name;
    EXPECT_TRUE(box.isHidden()) << way.name << ": no editor stays over a cell that is not current";
  }
}

// Every grid of a window has its edit ended, the one that refuses keeps its
// box over its cell, and the answer says that one refused.
TEST(VbGrid, EndingAWindowsEditsEndsEveryGridAndTellsOfARefusal) {
  QWidget top;
  top.resize(800, 600);
  Vb_Grid a(&top), b(&top);
  for (Vb_Grid* g : {&a, &b}) {
    g->Set_Format_String("^No|RX");
    g->Set_Rows(4);
    g->Set_Row(2);
    g->Set_Col(1);
  }
  b.move(0, 300);
  QLineEdit box_a(&top), box_b(&top);
  a.Attach_Editor(&box_a);
  b.Attach_Editor(&box_b);
  top.show();
  a.Float_Editor(&box_a, 2, 1, true);
  b.Float_Editor(&box_b, 2, 1, true);
  box_a.show();
  box_b.show();
  QStringList log;
  bool b_refuses = true;
  a.LeaveCell = [&] { log << "a"; };
  b.LeaveCell = [&] {
    log << "b";
    if (b_refuses) b.Refuse_Leave();
  };
  EXPECT_FALSE(End_Grid_Edits(&top));
  EXPECT_EQ(log, (QStringList{"a", "b"}));
  EXPECT_TRUE(box_a.isHidden());
  EXPECT_FALSE(box_b.isHidden()) << "the refusing grid's box stays over its cell";
  EXPECT_EQ(b.Row(), 2);
  EXPECT_EQ(b.Col(), 1);
  b_refuses = false;
  EXPECT_TRUE(End_Grid_Edits(&top));
  EXPECT_TRUE(box_b.isHidden());
  EXPECT_TRUE(End_Grid_Edits(nullptr));
}

TEST(VbGrid, AfterAMoveOnlyTheEditorOverTheNewCurrentCellStaysShown) {
  Scrolling_Grid t;
  QLineEdit box(&t.top);
  QComboBox list(&t.top);
  t.g.Attach_Editor(&box);
  t.g.Attach_Editor(&list);
  t.g.Set_Row(2);
  t.g.Set_Col(1);
  t.g.Float_Editor(&list, 2, 1, false);
  list.show();
  // The window opens the box over the next cell from within LeaveCell, as
  // Enter does: it stays, the list left behind goes.
  t.g.LeaveCell = [&] {
    t.g.Float_Editor(&box, 2, 2, true);
    box.show();
  };
  t.g.Set_Col(2);
  EXPECT_TRUE(list.isHidden());
  EXPECT_FALSE(box.isHidden());
  // A program move far right brings the new cell into view, so an editor
  // opened on it lies over it.
  t.g.LeaveCell = nullptr;
  t.g.Set_Col(6);
  EXPECT_TRUE(box.isHidden());
  t.g.Float_Editor(&box, 2, 6, true);
  EXPECT_EQ(box.geometry(), t.g.Cell_Rect().translated(t.g.pos()));
}

TEST(VbGrid, TheFixedColumnStaysAtTheLeftEdgeWhenTheGridScrollsSideways) {
  Scrolling_Grid t;
  Vb_Grid& g = t.g;
  QStringList log;
  g.Click = [&] { log << QString("click %1,%2 at %3,%4").arg(g.Row()).arg(g.Col()).arg(g.Mouse_Row()).arg(g.Mouse_Col()); };
  g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum());
  ASSERT_GT(g.horizontalScrollBar()->value(), g.Col_Width(1)) << "the first data column is out of view";
  const int fixed_right = g.frameWidth() + g.Col_Width(0);
  for (int r : {0, 1, 5}) {
    const QRect cell = g.Cell_Rect_At(r, 0);
    EXPECT_EQ(cell.left(), g.frameWidth()) << r;
    EXPECT_EQ(cell.right() + 1, fixed_right) << r;
  }
  // A fixed cell is drawn where its rectangle says, and shows its text there.
  QWidget* fixed = Widget_Over_Cell(&g, 5, 0);
  ASSERT_NE(fixed, nullptr);
  EXPECT_NE(fixed, g.viewport());
  auto* view = qobject_cast<QAbstractItemView*>(fixed->parentWidget());
  ASSERT_NE(view, nullptr);
  const QModelIndex shown = view->indexAt(fixed->mapFrom(&g, g.Cell_Rect_At(5, 0).center()));
  EXPECT_EQ(shown.data().toString(), "4");
  // Each data cell's rectangle is where it is drawn, and never under the
  // fixed column: a cell partly scrolled under it has only its shown part.
  for (int c = 1; c < g.Cols(); ++c) {
    // Drawn with the grid line at its right and bottom.
    const QRect drawn =
        g.visualRect(g.model()->index(4, c)).translated(g.viewport()->pos()).adjusted(0, 0, 1, 1);
    const QRect cell = g.Cell_Rect_At(5, c);
    EXPECT_EQ(cell.left(), std::max(drawn.left(), fixed_right)) << c;
    EXPECT_EQ(cell.right(), std::max(drawn.right(), fixed_right - 1)) << c;
    EXPECT_EQ(cell.top(), drawn.top()) << c;
    EXPECT_EQ(cell.bottom(), drawn.bottom()) << c;
  }
  // A click on a fixed cell where it shows reports it and moves nothing.
  const int row = g.Row(), col = g.Col();
  Click_Grid_Cell(&g, 5, 0);
  // A click on a data cell partly under the fixed column brings it wholly
  // into view before the Click, so an editor laid over it covers no number.
  g.horizontalScrollBar()->setValue(g.Col_Width(1) + g.Col_Width(2) / 2);
  ASSERT_LT(g.Cell_Rect_At(5, 2).width(), g.Col_Width(2));
  QRect at_click;
  g.Click = [&] { at_click = g.Cell_Rect(); };
  Click_Grid_Cell(&g, 5, 2);
  EXPECT_EQ(log, QStringList{QString("click %1,%2 at 5,0").arg(row).arg(col)});
  EXPECT_EQ(g.Col(), 2);
  EXPECT_EQ(at_click.left(), fixed_right);
  EXPECT_EQ(at_click.width(), g.Col_Width(2));
}

TEST(VbGrid, RowsHaveTheModelledHeightAndNeverLessThanALineOfTheFont) {
  for (int pixels : {0, 11, 30}) {
    Scrolling_Grid t;
    if (pixels > 0) {
      QFont f = t.g.font();
      f.setPixelSize(pixels);
      t.g.setFont(f);
    }
    const int line = t.g.fontMetrics().height();
    const int expected = std::max(Twips_To_Px(240), line + 1);
    EXPECT_EQ(t.g.rowHeight(0), expected) << pixels;
    EXPECT_EQ(t.g.rowHeight(50), expected) << pixels;
    // The header row holds its text with the style's margins above and
    // below it, descenders and underscores included.
    QStyleOptionHeader opt;
    opt.initFrom(t.g.horizontalHeader());
    opt.text = "Scan_Add";
    opt.fontMetrics = t.g.horizontalHeader()->fontMetrics();
    const int header_need = t.g.style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), &t.g).height();
    const int header = std::max(expected, header_need);
    EXPECT_EQ(t.g.horizontalHeader()->height(), header) << pixels << ": the header row";
    EXPECT_EQ(t.g.Cell_Rect_At(0, 0).height(), header) << pixels;
  }
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

// A list floated over a narrow cell shows each of its items whole, in its
// field and in its opened popup, and stays over the grid at its right edge.
TEST(VbGrid, AListFloatedOverANarrowCellShowsEveryItemWhole) {
  QWidget top;
  Vb_Grid g(&top);
  g.Set_Format_String("^No|^SCR|^Name of the channel|^B");
  g.Set_Rows(8);
  g.setGeometry(10, 10, g.Whole_Size().width(), g.Whole_Size().height());
  Vb_Combo list(&top);
  list.Add_Items({"OFF", "ON", "VHF/UHF"});
  list.Show_Index_Quiet(0);
  top.resize(400, 300);
  top.show();
  const QFontMetrics fm = list.fontMetrics();
  for (int col : {1, 3}) {
    g.Float_Editor(&list, 2, col, false);
    const QRect cell = g.Cell_Rect_At(2, col).translated(g.pos());
    EXPECT_EQ(list.y(), cell.y()) << col;
    EXPECT_GT(list.width(), cell.width()) << col << ": the cell is narrower than the items";
    // The field beside the drop-down button holds the widest item.
    QStyleOptionComboBox opt;
    opt.initFrom(&list);
    opt.rect = QRect(QPoint(0, 0), list.size());
    const QRect field = list.style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, &list);
    EXPECT_GE(field.width(), fm.horizontalAdvance("VHF/UHF")) << col;
    const QRect area = g.viewport()->geometry().translated(g.pos());
    EXPECT_LE(list.geometry().right(), area.right()) << col << ": the list reaches past the cells";
    EXPECT_GE(list.x(), area.left()) << col;
  }
  // A cell at the left edge keeps the list's left edge on it.
  g.Float_Editor(&list, 2, 1, false);
  EXPECT_EQ(list.x(), g.Cell_Rect_At(2, 1).translated(g.pos()).x());
  list.showPopup();
  QApplication::processEvents();
  EXPECT_GE(list.view()->viewport()->width(), list.view()->sizeHintForColumn(0)) << "the popup cuts an item";
  list.hidePopup();
}

TEST(VbGrid, AFloatedEditorStaysInsideTheCellsAreaNeverOverTheScrollBars) {
  Scrolling_Grid t;
  ASSERT_TRUE(t.g.verticalScrollBar()->isVisible());
  ASSERT_TRUE(t.g.horizontalScrollBar()->isVisible());
  Vb_Combo list(&t.top);
  list.Add_Items({"OFF", "ON", "A longer item"});
  const QRect area = t.g.viewport()->geometry().translated(t.g.pos());
  // The last column shown and the last row shown: the list reaches left and
  // up, it still covers part of its cell.
  t.g.Set_Col(6);
  const int bottom_row = t.g.rowAt(t.g.viewport()->height() - 1) + 1;
  t.g.Set_Row(bottom_row);
  t.g.Float_Editor(&list, t.g.Row(), t.g.Col(), false);
  EXPECT_TRUE(area.contains(list.geometry())) << "list " << list.geometry().x() << "," << list.geometry().y();
  EXPECT_TRUE(list.geometry().intersects(t.g.Cell_Rect().translated(t.g.pos())));
}
