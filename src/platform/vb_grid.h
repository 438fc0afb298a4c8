#pragma once
// The grid every table of the program is shown in: a read-only table whose
// cells are set by row and column, with one fixed header row (row 0) and
// optionally one fixed number column (column 0). Cells are never typed into:
// a window floats its own text box or list over the current cell and
// attaches it to the grid (Attach_Editor).
//
// The fixed column stays in place at the left edge when the grid scrolls
// sideways, as the header row stays at the top; the data columns scroll in
// the space right of it, so no data cell is ever shown under it.
//
// Rows and columns are numbered as the windows number them: row 0 is the
// header, rows 1..Rows()-1 the data; column 0 is the fixed column when
// there is one.
//
// Events, each a handler the window installs:
//  - LeaveCell: before every move of the current cell, by the user (click,
//    arrow keys) or by the program (Set_Row, Set_Col), while the old cell is
//    still current. It completes before the move. A click on a fixed cell
//    raises it too, for the current cell, though nothing moves: the click
//    ends the open edit as any leave does. The handler may refuse the move
//    (Refuse_Leave): the current cell and the editors stay as they are, and
//    a click that was refused raises no Click.
//  - Click: after a mouse click, once the click has moved the current cell.
//    A click on a fixed cell moves nothing (Mouse_Row/Mouse_Col tell where);
//    after its LeaveCell it hides every attached editor, as a scroll does.
//  - DblClick: after the Click of a double click.
//  - Scroll: the visible part moved (vertically or sideways; by the wheel,
//    the scroll bars, the keys or the program). Every attached editor is
//    hidden before it, and the focus goes back to the grid: an editor that
//    no longer lies over its cell shows nothing and takes no keys. Its text
//    stays for the window's commit.
//
// An attached editor is shown only over the current cell: after every move,
// an editor the window floated over another cell is hidden.

#include <QPointer>
#include <QTableWidget>
#include <functional>
#include <vector>

class QTableView;

class Vb_Grid : public QTableWidget {
  Q_OBJECT
public:
  explicit Vb_Grid(QWidget* parent = nullptr, int fixed_cols = 1);
  ~Vb_Grid() override;

  // The header: columns separated by "|", a leading "^" centres a column
  // and its cells; every column is as wide as its header text. Sets the
  // column count.
  void Set_Format_String(const QString& format);

  int Rows() const { return rowCount() + 1; }
  void Set_Rows(int rows);  // header included; at least 1
  int Cols() const { return columnCount(); }
  void Set_Cols(int cols);
  int Fixed_Cols() const { return fixed_cols_; }

  // Cell texts by row and column (row 0: the header). No event.
  QString Text_At(int row, int col) const;
  void Set_Text_At(int row, int col, const QString& text);
  // The current cell's text.
  QString Text() const { return Text_At(row_, col_); }
  void Set_Text(const QString& text) { Set_Text_At(row_, col_, text); }

  // The current cell. Setting either raises LeaveCell first when it changes
  // the current cell. The program may make a fixed-column cell current.
  int Row() const { return row_; }
  int Col() const { return col_; }
  void Set_Row(int row);
  void Set_Col(int col);
  // Called from LeaveCell: the move that raised it does not happen.
  void Refuse_Leave() { leave_refused_ = true; }
  // Ends the open edit as a click on the fixed column does: LeaveCell for
  // the current cell, then every attached editor hidden; the current cell
  // stays. False when LeaveCell refused (the editors then stay as they are).
  bool End_Edit();

  // The cell under the mouse at the last press.
  int Mouse_Row() const { return mouse_row_; }
  int Mouse_Col() const { return mouse_col_; }

  // The current cell's place in the grid's own coordinates (pixels, header
  // included), for laying an editor over it.
  QRect Cell_Rect() const { return Cell_Rect_At(row_, col_); }
  QRect Cell_Rect_At(int row, int col) const;
  int Cell_Left() const { return Cell_Rect().left(); }
  int Cell_Top() const { return Cell_Rect().top(); }
  int Cell_Width() const { return Cell_Rect().width(); }
  int Cell_Height() const { return Cell_Rect().height(); }

  int Col_Width(int col) const;
  void Set_Col_Width(int col, int px);
  // The first data row shown at the top, and scrolling it there.
  int Top_Row() const;
  void Set_Top_Row(int row);

  // A text box or list the window floats over this grid's cells.
  void Attach_Editor(QWidget* editor);
  // Lays an editor (a child of this grid's parent) over cell (row, col): as
  // high as the cell, or as the editor's own height when cell_height is
  // false. A list is never narrower than its items need, however narrow the
  // cell. The editor stays inside the area the cells are shown in: one wider
  // than the room right of the cell reaches left, one taller than the room
  // below it reaches up, never over the scroll bars or the fixed column.
  // A window places a list after filling it.
  void Float_Editor(QWidget* editor, int row, int col, bool cell_height);

  // The outer size that shows every row and column without scrolling.
  QSize Whole_Size() const;

  // Simulated user input, as a click and the keys would arrive (tests).
  void Click_Cell(int row, int col);
  void Double_Click_Cell(int row, int col);

  std::function<void()> LeaveCell;
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> Scroll;

protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  void updateGeometries() override;
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  QTableWidgetItem* Item_At(int row, int col, bool create);
  bool Move_To(int row, int col);  // LeaveCell, then the move; false when refused
  bool Leave();                    // LeaveCell; false when the handler refused
  void Sync_Current();
  bool Press_At(int row, int col);  // false: refused, no Click follows
  bool Cell_At(const QPoint& pos, int* row, int* col) const;
  void Style_Fixed(QTableWidgetItem* it) const;
  void Mouse_Press(const QMouseEvent* e, bool on_cell, int row, int col);
  void Mouse_Release(const QMouseEvent* e);
  void Mouse_Double(const QMouseEvent* e, bool on_cell, int row, int col);
  void Scrolled();
  void Hide_Editors();
  void Hide_Editors_Off_Current();
  void Hide_Editor(QWidget* w);
  void Apply_Row_Height();
  int Header_Height() const;
  void Split_Fixed_Columns();
  void Place_Fixed_View();
  int Fixed_Width() const;

  int fixed_cols_ = 1;
  int row_ = 0;
  int col_ = 0;
  int mouse_row_ = 0;
  int mouse_col_ = 0;
  bool pressed_ = false;    // a press whose release makes a Click
  bool in_double_ = false;  // the press of a double click
  std::vector<Qt::Alignment> align_;
  QTableView* fixed_view_ = nullptr;  // the fixed columns, over the left margin
  bool leave_refused_ = false;
  // The attached editors and the cell each was last floated over.
  struct Editor {
    QPointer<QWidget> w;
    int row = -1, col = -1;
  };
  std::vector<Editor> editors_;
};

// Ends the open edit of every grid inside root, one after another, as each
// grid's End_Edit does: what was typed goes into the image with the leave's
// own message. Whatever reads the image (a save, a transfer) or ends the
// window asks this first, so it never works from a screen the image does
// not hold yet. False when a grid refused its leave: that grid's editor
// stays over its cell with its text (the others' edits are in all the
// same), and the caller does not go ahead.
bool End_Grid_Edits(const QWidget* root);
