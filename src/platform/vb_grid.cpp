#include "vb_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {
constexpr int kHeaderPadding = 8;  // pixels beside a header text, both sides together
}

Vb_Grid::Vb_Grid(QWidget* parent, int fixed_cols) : QTableWidget(parent), fixed_cols_(fixed_cols) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setDragEnabled(false);
  setWordWrap(false);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setMinimumSectionSize(8);
  horizontalHeader()->setTextElideMode(Qt::ElideNone);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  auto scrolled = [this] {
    if (Scroll) Scroll();
  };
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, scrolled);
  col_ = fixed_cols_;
}

void Vb_Grid::Set_Format_String(const QString& format) {
  const QStringList cols = format.split('|');
  Set_Cols(static_cast<int>(cols.size()));
  align_.assign(cols.size(), Qt::AlignLeft | Qt::AlignVCenter);
  const QFontMetrics fm = horizontalHeader()->fontMetrics();
  for (int c = 0; c < cols.size(); ++c) {
    QString t = cols[c];
    Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter;
    if (t.startsWith('^')) {
      a = Qt::AlignHCenter | Qt::AlignVCenter;
      t.remove(0, 1);
    } else if (t.startsWith('>')) {
      a = Qt::AlignRight | Qt::AlignVCenter;
      t.remove(0, 1);
    } else if (t.startsWith('<')) {
      t.remove(0, 1);
    }
    align_[c] = a;
    auto* h = new QTableWidgetItem(t);
    h->setTextAlignment(a);
    setHorizontalHeaderItem(c, h);
    setColumnWidth(c, fm.horizontalAdvance(t) + kHeaderPadding);
    for (int r = 0; r < rowCount(); ++r)
      if (QTableWidgetItem* it = item(r, c)) it->setTextAlignment(a);
  }
}

void Vb_Grid::Set_Rows(int rows) {
  rows = std::max(rows, 1);
  setRowCount(rows - 1);
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < std::min(fixed_cols_, columnCount()); ++c) Item_At(r + 1, c, true);
  if (row_ >= rows) row_ = rows - 1;
  if (row_ < 1 && rows > 1) row_ = 1;
  Sync_Current();
}

void Vb_Grid::Set_Cols(int cols) {
  cols = std::max(cols, 1);
  setColumnCount(cols);
  align_.resize(cols, Qt::AlignLeft | Qt::AlignVCenter);
  if (col_ >= cols) col_ = cols - 1;
  Sync_Current();
}

void Vb_Grid::Style_Fixed(QTableWidgetItem* it) const {
  it->setFlags(Qt::ItemIsEnabled);
  it->setBackground(palette().button());
  it->setForeground(palette().buttonText());
}

QTableWidgetItem* Vb_Grid::Item_At(int row, int col, bool create) {
  if (col < 0 || col >= columnCount() || row < 0 || row > rowCount()) return nullptr;
  if (row == 0) {
    QTableWidgetItem* h = horizontalHeaderItem(col);
    if (!h && create) {
      h = new QTableWidgetItem();
      setHorizontalHeaderItem(col, h);
    }
    return h;
  }
  QTableWidgetItem* it = item(row - 1, col);
  if (!it && create) {
    it = new QTableWidgetItem();
    it->setTextAlignment(align_[col]);
    if (col < fixed_cols_) Style_Fixed(it);
    else it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row - 1, col, it);
  }
  return it;
}

QString Vb_Grid::Text_At(int row, int col) const {
  if (col < 0 || col >= columnCount() || row < 0 || row > rowCount()) return QString();
  const QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
  return it ? it->text() : QString();
}

void Vb_Grid::Set_Text_At(int row, int col, const QString& text) {
  if (QTableWidgetItem* it = Item_At(row, col, true))
    if (it->text() != text) it->setText(text);
}

void Vb_Grid::Move_To(int row, int col) {
  row = std::clamp(row, 0, Rows() - 1);
  col = std::clamp(col, 0, Cols() - 1);
  if (row == row_ && col == col_) return;
  if (LeaveCell) LeaveCell();
  row_ = row;
  col_ = col;
  Sync_Current();
}

void Vb_Grid::Set_Row(int row) { Move_To(row, col_); }
void Vb_Grid::Set_Col(int col) { Move_To(row_, col); }

void Vb_Grid::Sync_Current() {
  QItemSelectionModel* sm = selectionModel();
  if (!sm) return;
  if (row_ >= 1 && row_ <= rowCount() && col_ >= 0 && col_ < columnCount()) {
    sm->setCurrentIndex(model()->index(row_ - 1, col_),
                        col_ < fixed_cols_ ? QItemSelectionModel::Clear
                                           : QItemSelectionModel::ClearAndSelect);
  } else {
    sm->clear();
  }
}

QRect Vb_Grid::Cell_Rect_At(int row, int col) const {
  if (col < 0 || col >= columnCount() || row < 0 || row > rowCount()) return QRect();
  const QPoint vp = viewport()->pos();
  const int x = columnViewportPosition(col) + vp.x();
  const int w = columnWidth(col);
  if (row == 0) {
    const QHeaderView* h = horizontalHeader();
    return QRect(x, h->pos().y(), w, h->height());
  }
  return QRect(x, rowViewportPosition(row - 1) + vp.y(), w, rowHeight(row - 1));
}

int Vb_Grid::Top_Row() const {
  const int r = rowAt(0);
  return r < 0 ? 1 : r + 1;
}

void Vb_Grid::Set_Top_Row(int row) {
  if (row < 1 || row > rowCount()) return;
  scrollTo(model()->index(row - 1, 0), QAbstractItemView::PositionAtTop);
}

bool Vb_Grid::Cell_At(const QPoint& pos, int* row, int* col) const {
  const QModelIndex i = indexAt(pos);
  if (!i.isValid()) return false;
  *row = i.row() + 1;
  *col = i.column();
  return true;
}

void Vb_Grid::Press_At(int row, int col) {
  mouse_row_ = row;
  mouse_col_ = col;
  if (row >= 1 && col >= fixed_cols_) Move_To(row, col);
}

void Vb_Grid::Click_Cell(int row, int col) {
  Press_At(row, col);
  if (Click) Click();
}

void Vb_Grid::Double_Click_Cell(int row, int col) {
  Click_Cell(row, col);
  mouse_row_ = row;
  mouse_col_ = col;
  if (DblClick) DblClick();
}

void Vb_Grid::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  if (e->button() != Qt::LeftButton) return;
  int r = 0, c = 0;
  if (!Cell_At(e->position().toPoint(), &r, &c)) return;
  Press_At(r, c);
  pressed_ = true;
}

void Vb_Grid::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  if (in_double_) {
    in_double_ = false;
    pressed_ = false;
    return;
  }
  if (!pressed_) return;
  pressed_ = false;
  if (Click) Click();
}

void Vb_Grid::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  int r = 0, c = 0;
  if (!Cell_At(e->position().toPoint(), &r, &c)) return;
  mouse_row_ = r;
  mouse_col_ = c;
  in_double_ = true;
  if (DblClick) DblClick();
}

void Vb_Grid::mouseMoveEvent(QMouseEvent*) {}

void Vb_Grid::keyPressEvent(QKeyEvent* e) {
  int r = row_, c = col_;
  const int page = std::max(1, viewport()->height() / std::max(1, rowHeight(0)) - 1);
  switch (e->key()) {
    case Qt::Key_Up: r = std::max(1, r - 1); break;
    case Qt::Key_Down: r = std::min(Rows() - 1, r + 1); break;
    case Qt::Key_Left: c = std::max(fixed_cols_, c - 1); break;
    case Qt::Key_Right: c = std::min(Cols() - 1, std::max(fixed_cols_, c + 1)); break;
    case Qt::Key_PageUp: r = std::max(1, r - page); break;
    case Qt::Key_PageDown: r = std::min(Rows() - 1, r + page); break;
    case Qt::Key_Home: c = fixed_cols_; break;
    case Qt::Key_End: c = Cols() - 1; break;
    default:
      e->ignore();
      return;
  }
  if (r < 1 || c < fixed_cols_) return;
  Move_To(r, c);
  if (row_ >= 1) scrollTo(model()->index(row_ - 1, col_));
  e->accept();
}

void Vb_Grid::focusInEvent(QFocusEvent* e) {
  QTableWidget::focusInEvent(e);
  Sync_Current();
}
