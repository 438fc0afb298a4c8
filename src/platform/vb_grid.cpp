#include "vb_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>

#include "platform/twips.h"
#include "platform/vb_controls.h"

namespace {
constexpr int kHeaderPadding = 8;  // pixels beside a header text, both sides together
// The height of a data row in the grids the windows were laid out for.
constexpr int kRowTwips = 240;

// The settings both views of a grid share.
void Set_Up_View(QTableView* v) {
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  v->setTabKeyNavigation(false);
  v->setDragEnabled(false);
  v->setWordWrap(false);
  v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  v->verticalHeader()->setMinimumSectionSize(1);
  v->horizontalHeader()->setSectionsClickable(false);
  v->horizontalHeader()->setHighlightSections(false);
  v->horizontalHeader()->setMinimumSectionSize(8);
  v->horizontalHeader()->setTextElideMode(Qt::ElideNone);
  v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}
}  // namespace

Vb_Grid::Vb_Grid(QWidget* parent, int fixed_cols)
    : QTableWidget(parent), fixed_cols_(std::max(0, fixed_cols)) {
  Set_Up_View(this);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  // The fixed columns are a second view of the same cells, laid over the
  // margin the vertical header keeps free left of the data; this view hides
  // them. The vertical header itself is never seen.
  verticalHeader()->setVisible(fixed_cols_ > 0);
  verticalHeader()->setSectionsClickable(false);
  verticalHeader()->setFixedWidth(0);
  if (fixed_cols_ > 0) {
    fixed_view_ = new QTableView(this);
    Set_Up_View(fixed_view_);
    fixed_view_->setModel(model());
    fixed_view_->setSelectionMode(QAbstractItemView::NoSelection);
    fixed_view_->setFocusPolicy(Qt::NoFocus);
    fixed_view_->setAutoScroll(false);
    fixed_view_->setFrameShape(QFrame::NoFrame);
    fixed_view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_view_->verticalHeader()->setVisible(false);
    fixed_view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_view_->viewport()->installEventFilter(this);
    // It follows this view up and down; it never scrolls by itself.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, fixed_view_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(fixed_view_->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this] { fixed_view_->verticalScrollBar()->setValue(verticalScrollBar()->value()); });
  }
  Apply_Row_Height();
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { Scrolled(); });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { Scrolled(); });
  col_ = fixed_cols_;
}

Vb_Grid::~Vb_Grid() {
  // The views and scroll bars outlive this destructor a little: the fixed
  // view's range still changes while it is taken down, and nothing may then
  // reach this grid's members.
  disconnect(verticalScrollBar(), nullptr, this, nullptr);
  disconnect(horizontalScrollBar(), nullptr, this, nullptr);
  if (fixed_view_) {
    disconnect(fixed_view_->verticalScrollBar(), nullptr, this, nullptr);
    fixed_view_->viewport()->removeEventFilter(this);
  }
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
    Set_Col_Width(c, fm.horizontalAdvance(t) + kHeaderPadding);
    for (int r = 0; r < rowCount(); ++r)
      if (QTableWidgetItem* it = item(r, c)) it->setTextAlignment(a);
  }
  Apply_Row_Height();
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
  Split_Fixed_Columns();
  align_.resize(cols, Qt::AlignLeft | Qt::AlignVCenter);
  if (col_ >= cols) col_ = cols - 1;
  Sync_Current();
}

void Vb_Grid::Apply_Row_Height() {
  // Never lower than a line of the font and the grid line under it.
  const int h = std::max(Twips_To_Px(kRowTwips), fontMetrics().height() + 1);
  const int header = std::max(h, Header_Height());
  for (QTableView* v : {static_cast<QTableView*>(this), fixed_view_}) {
    if (!v) continue;
    v->verticalHeader()->setDefaultSectionSize(h);
    v->horizontalHeader()->setFixedHeight(header);
  }
}

int Vb_Grid::Header_Height() const {
  // The style keeps margins above and below a header's text: a header row
  // only as high as a data row cuts off its descenders and underscores.
  // Every text is measured, and a line with both ascenders and descenders
  // for headers yet to be named.
  const QHeaderView* hv = horizontalHeader();
  QStyleOptionHeader opt;
  opt.initFrom(hv);
  opt.orientation = Qt::Horizontal;
  opt.fontMetrics = hv->fontMetrics();
  int h = 0;
  for (int c = -1; c < columnCount(); ++c) {
    opt.text = c < 0 ? QStringLiteral("Ag_") : Text_At(0, c);
    opt.section = std::max(c, 0);
    h = std::max(h, hv->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), hv).height());
  }
  return h;
}

QSize Vb_Grid::Whole_Size() const {
  // The header row's height is fixed (Apply_Row_Height), shown or not yet.
  int w = Fixed_Width(), h = horizontalHeader()->maximumHeight();
  for (int c = fixed_cols_; c < columnCount(); ++c)
    if (!isColumnHidden(c)) w += columnWidth(c);
  for (int r = 0; r < rowCount(); ++r) h += rowHeight(r);
  return QSize(w + 2 * frameWidth(), h + 2 * frameWidth());
}

void Vb_Grid::Float_Editor(QWidget* editor, int row, int col, bool cell_height) {
  if (!editor || !editor->parentWidget()) return;
  const QRect cell = Cell_Rect_At(row, col);
  int width = cell.width();
  // A list over a narrow cell shows its current item whole, and a pick
  // after it too.
  if (auto* list = qobject_cast<const Vb_Combo*>(editor)) width = std::max(width, list->Width_For_Items());
  const int height = cell_height ? cell.height() : editor->sizeHint().height();
  // The cells' own area: right of the fixed column, above and left of the
  // scroll bars.
  QWidget* parent = editor->parentWidget();
  const QRect vp = viewport()->geometry();
  const QPoint area_tl = mapTo(parent, vp.topLeft());
  const QPoint area_br = mapTo(parent, vp.bottomRight());
  // Wider than the whole area only in a grid too narrow for its items; its
  // drop-down still opens as wide as they need.
  width = std::min(width, vp.width());
  QPoint at = mapTo(parent, cell.topLeft());
  if (at.x() + width > area_br.x() + 1) at.setX(std::max(area_tl.x(), area_br.x() + 1 - width));
  if (at.y() + height > area_br.y() + 1) at.setY(std::max(area_tl.y(), area_br.y() + 1 - height));
  editor->setGeometry(at.x(), at.y(), width, height);
  for (Editor& e : editors_)
    if (e.w == editor) {
      e.row = row;
      e.col = col;
    }
}

void Vb_Grid::changeEvent(QEvent* e) {
  QTableWidget::changeEvent(e);
  if (e->type() == QEvent::FontChange) Apply_Row_Height();
}

void Vb_Grid::Split_Fixed_Columns() {
  if (!fixed_view_) return;
  for (int c = 0; c < columnCount(); ++c) {
    setColumnHidden(c, c < fixed_cols_);
    fixed_view_->setColumnHidden(c, c >= fixed_cols_);
  }
  verticalHeader()->setFixedWidth(Fixed_Width());
  updateGeometries();
}

int Vb_Grid::Fixed_Width() const {
  int w = 0;
  for (int c = 0; c < std::min(fixed_cols_, columnCount()); ++c) w += Col_Width(c);
  return w;
}

int Vb_Grid::Col_Width(int col) const {
  return fixed_view_ && col < fixed_cols_ ? fixed_view_->columnWidth(col) : columnWidth(col);
}

void Vb_Grid::Set_Col_Width(int col, int px) {
  if (!fixed_view_ || col >= fixed_cols_) {
    setColumnWidth(col, px);
    return;
  }
  fixed_view_->setColumnWidth(col, px);
  verticalHeader()->setFixedWidth(Fixed_Width());
  updateGeometries();
}

void Vb_Grid::updateGeometries() {
  QTableWidget::updateGeometries();
  Place_Fixed_View();
}

void Vb_Grid::Place_Fixed_View() {
  if (!fixed_view_) return;
  // Over the vertical header and the corner above it: the header row's
  // height and the data rows' height, as wide as the fixed columns.
  const QRect vp = viewport()->geometry();
  const int top = horizontalHeader()->geometry().top();
  fixed_view_->setGeometry(vp.left() - Fixed_Width(), top, Fixed_Width(), vp.bottom() + 1 - top);
  fixed_view_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  fixed_view_->raise();
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
  QTableWidgetItem* it = Item_At(row, col, true);
  if (!it || it->text() == text) return;
  it->setText(text);
  if (row == 0) Apply_Row_Height();
}

bool Vb_Grid::Leave() {
  leave_refused_ = false;
  if (LeaveCell) LeaveCell();
  const bool refused = leave_refused_;
  leave_refused_ = false;
  return !refused;
}

bool Vb_Grid::Move_To(int row, int col) {
  row = std::clamp(row, 0, Rows() - 1);
  col = std::clamp(col, 0, Cols() - 1);
  if (row == row_ && col == col_) return true;
  if (!Leave()) return false;
  row_ = row;
  col_ = col;
  Sync_Current();
  Hide_Editors_Off_Current();
  // The new current cell comes into view, so an editor opened on it lies
  // wholly over it.
  if (row_ >= 1 && row_ <= rowCount() && col_ >= fixed_cols_) scrollTo(model()->index(row_ - 1, col_));
  return true;
}

bool Vb_Grid::End_Edit() {
  if (row_ >= 1 && !Leave()) return false;
  Hide_Editors();
  return true;
}

bool End_Grid_Edits(const QWidget* root) {
  if (!root) return true;
  // A leave's message runs the event loop, and a grid may go meanwhile.
  std::vector<QPointer<Vb_Grid>> grids;
  for (Vb_Grid* g : root->findChildren<Vb_Grid*>()) grids.emplace_back(g);
  bool all = true;
  for (const QPointer<Vb_Grid>& g : grids)
    if (g && !g->End_Edit()) all = false;
  return all;
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
  const QRect vp = viewport()->geometry();
  int left = 0, right = 0;
  if (fixed_view_ && col < fixed_cols_) {
    left = fixed_view_->x() + fixed_view_->columnViewportPosition(col);
    right = left + Col_Width(col);
  } else {
    // A data cell partly scrolled under the fixed column shows only its
    // part right of it.
    left = columnViewportPosition(col) + vp.left();
    right = std::max(left + columnWidth(col), vp.left());
    left = std::max(left, vp.left());
  }
  if (row == 0) {
    const QHeaderView* h = horizontalHeader();
    return QRect(left, h->geometry().top(), right - left, h->height());
  }
  return QRect(left, rowViewportPosition(row - 1) + vp.top(), right - left, rowHeight(row - 1));
}

void Vb_Grid::Attach_Editor(QWidget* editor) {
  if (editor) editors_.push_back({editor});
}

void Vb_Grid::Scrolled() {
  Hide_Editors();
  if (Scroll) Scroll();
}

void Vb_Grid::Hide_Editors() {
  // An editor left where it stood would lie over another cell than its own
  // and store what is typed there into the cell it was opened on.
  for (const Editor& e : editors_)
    if (e.w) Hide_Editor(e.w);
}

void Vb_Grid::Hide_Editors_Off_Current() {
  for (const Editor& e : editors_)
    if (e.w && (e.row != row_ || e.col != col_)) Hide_Editor(e.w);
}

void Vb_Grid::Hide_Editor(QWidget* w) {
  if (w->isHidden()) return;
  const QWidget* focus = w->window()->focusWidget();
  if (focus && (focus == w || w->isAncestorOf(focus))) setFocus(Qt::OtherFocusReason);
  w->hide();
}

int Vb_Grid::Top_Row() const {
  const int r = rowAt(0);
  return r < 0 ? 1 : r + 1;
}

void Vb_Grid::Set_Top_Row(int row) {
  if (row < 1 || row > rowCount()) return;
  // The grid scrolls by whole rows: the scroll bar counts them.
  verticalScrollBar()->setValue(row - 1);
}

bool Vb_Grid::Cell_At(const QPoint& pos, int* row, int* col) const {
  const QModelIndex i = indexAt(pos);
  if (!i.isValid()) return false;
  *row = i.row() + 1;
  *col = i.column();
  return true;
}

bool Vb_Grid::Press_At(int row, int col) {
  mouse_row_ = row;
  mouse_col_ = col;
  if (row < 1) return true;
  // The current cell stays, but the click ends its edit as a move away
  // would, and may show another row's details beside the grid: no editor
  // may stay open over the old cell.
  if (col < fixed_cols_) return End_Edit();
  if (!Move_To(row, col)) return false;
  // A cell clicked where it is partly hidden comes fully into view, so the
  // editor the click opens lies wholly over it.
  if (row_ == row && col_ == col) scrollTo(model()->index(row - 1, col));
  return true;
}

void Vb_Grid::Click_Cell(int row, int col) {
  if (Press_At(row, col) && Click) Click();
}

void Vb_Grid::Double_Click_Cell(int row, int col) {
  Click_Cell(row, col);
  mouse_row_ = row;
  mouse_col_ = col;
  if (DblClick) DblClick();
}

void Vb_Grid::Mouse_Press(const QMouseEvent* e, bool on_cell, int row, int col) {
  setFocus(Qt::MouseFocusReason);
  if (e->button() != Qt::LeftButton || !on_cell) return;
  pressed_ = Press_At(row, col);
}

void Vb_Grid::mousePressEvent(QMouseEvent* e) {
  int r = 0, c = 0;
  const bool on_cell = Cell_At(e->position().toPoint(), &r, &c);
  Mouse_Press(e, on_cell, r, c);
}

void Vb_Grid::mouseReleaseEvent(QMouseEvent* e) { Mouse_Release(e); }

void Vb_Grid::Mouse_Release(const QMouseEvent* e) {
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
  int r = 0, c = 0;
  const bool on_cell = Cell_At(e->position().toPoint(), &r, &c);
  Mouse_Double(e, on_cell, r, c);
}

void Vb_Grid::Mouse_Double(const QMouseEvent* e, bool on_cell, int row, int col) {
  if (e->button() != Qt::LeftButton || !on_cell) return;
  mouse_row_ = row;
  mouse_col_ = col;
  in_double_ = true;
  if (DblClick) DblClick();
}

void Vb_Grid::mouseMoveEvent(QMouseEvent*) {}

bool Vb_Grid::eventFilter(QObject* o, QEvent* e) {
  if (!fixed_view_ || o != fixed_view_->viewport()) return QTableWidget::eventFilter(o, e);
  // The fixed cells are this grid's cells: the mouse on them works as on
  // the data cells, and the wheel scrolls the grid.
  switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
      auto* m = static_cast<QMouseEvent*>(e);
      const QModelIndex i = fixed_view_->indexAt(m->position().toPoint());
      if (e->type() == QEvent::MouseButtonPress)
        Mouse_Press(m, i.isValid(), i.row() + 1, i.column());
      else
        Mouse_Double(m, i.isValid(), i.row() + 1, i.column());
      return true;
    }
    case QEvent::MouseButtonRelease:
      Mouse_Release(static_cast<QMouseEvent*>(e));
      return true;
    case QEvent::MouseMove:
      return true;
    case QEvent::Wheel:
      QApplication::sendEvent(viewport(), e);
      return true;
    default:
      return QTableWidget::eventFilter(o, e);
  }
}

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
  if (Move_To(r, c) && row_ >= 1) scrollTo(model()->index(row_ - 1, col_));
  e->accept();
}

void Vb_Grid::focusInEvent(QFocusEvent* e) {
  QTableWidget::focusInEvent(e);
  Sync_Current();
}
