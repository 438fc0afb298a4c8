#include "vb_form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

#include "msg_box.h"
#include "vb_grid.h"

namespace {
QPointer<QMdiArea>& Mdi() {
  static QPointer<QMdiArea> a;
  return a;
}
QPointer<QWidget>& Main_Window() {
  static QPointer<QWidget> w;
  return w;
}
std::vector<QPointer<QObject>>& Graveyard() {
  static std::vector<QPointer<QObject>> g;
  return g;
}

void Bury() {
  if (Msg_Box_Depth() > 0) {
    QTimer::singleShot(20, [] { Bury(); });
    return;
  }
  auto dead = std::move(Graveyard());
  Graveyard().clear();
  for (auto& p : dead) delete p.data();
}

// Moves child window s to top-left at, as far as the client area allows:
// its top-left corner always inside.
void Move_Within(QWidget* s, const QWidget* area, QPoint at) {
  s->move(std::max(0, std::min(at.x(), area->width() - s->width())),
          std::max(0, std::min(at.y(), area->height() - s->height())));
}

// Calls back when the watched widget changes size.
class Resize_Watch : public QObject {
public:
  Resize_Watch(QObject* owner, std::function<void()> resized) : QObject(owner), resized_(std::move(resized)) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Resize) resized_();
    return false;
  }

private:
  std::function<void()> resized_;
};
}  // namespace

void Defer_Delete(QObject* obj) {
  if (!obj) return;
  const bool first = Graveyard().empty();
  Graveyard().push_back(obj);
  if (first) QTimer::singleShot(0, [] { Bury(); });
}

Vb_Form::Vb_Form(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_DeleteOnClose, false); }

Vb_Form::~Vb_Form() = default;

QWidget* Vb_Form::Host() const { return sub_.data(); }

void Vb_Form::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Form_Unload();
  if (sub_) {
    sub_->hide();
    if (auto* s = qobject_cast<QMdiSubWindow*>(sub_.data())) {
      if (Mdi()) Mdi()->removeSubWindow(s);
    }
    Defer_Delete(sub_.data());  // deletes this form with it
  } else {
    hide();
    Defer_Delete(this);
  }
}

QSize Vb_Form::Controls_Extent() const {
  // A layout knows what its controls need; controls placed by position need
  // the room up to their far edges, with the margin they keep at the near ones.
  if (layout()) return minimumSizeHint();
  QRect r;
  for (const QWidget* c : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (!c->isWindow() && c->isVisibleTo(this)) r = r.united(c->geometry());
  if (r.isNull()) return QSize();
  return QSize(r.right() + 1 + std::max(0, r.left()), r.bottom() + 1 + std::max(0, r.top()));
}

void Vb_Form::Keep_Controls_Inside() {
  // Whatever size rule a window follows (most follow the screen's size), it
  // never cuts off its own controls: their extent becomes its minimum, and
  // the child window's minimum with its frame, so no later resize cuts them
  // either. A child window that has to grow keeps its centre where its own
  // rule put it, as far as the main frame's client area allows.
  const QSize need = Controls_Extent();
  if (!need.isValid()) return;
  setMinimumSize(minimumSize().expandedTo(need));
  if (QWidget* s = sub_.data()) {
    const QRect before = s->geometry();
    s->setMinimumSize(minimumSize() + frame_);
    if (s->size() != before.size()) Resize_Host(size().expandedTo(minimumSize()), before.center());
  }
  // Controls the window holds in a scroll area are its controls as well: it
  // opens large enough to show them without scrolling wherever the client
  // area can hold that. Its minimum stays, so a user may still make it
  // smaller and scroll.
  const QSize lack = Scrolled_Lack();
  if (lack.width() <= 0 && lack.height() <= 0) return;
  if (sub_) Resize_Host(size() + lack.expandedTo(QSize(0, 0)), sub_->geometry().center());
  else resize(size() + lack.expandedTo(QSize(0, 0)));
}

QSize Vb_Form::Scrolled_Lack() const {
  // Sizes set while loading reach the layouts through posted requests:
  // they are settled first, so the contents are measured as they will show.
  for (int i = 0; i < 4; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  if (layout()) layout()->activate();
  QSize lack(0, 0);
  for (const QScrollArea* a : findChildren<QScrollArea*>()) {
    const QWidget* w = a->widget();
    if (!w || !a->isVisibleTo(this)) continue;
    const QSize need = a->widgetResizable()
                           ? w->sizeHint().expandedTo(w->minimumSizeHint()).expandedTo(w->minimumSize())
                           : w->size();
    lack = lack.expandedTo(need - a->viewport()->size());
  }
  return lack;
}

void Vb_Form::Resize_Host(QSize form, QPoint centre) {
  QWidget* s = sub_.data();
  QWidget* area = s ? s->parentWidget() : nullptr;
  if (!area) return;
  const QSize outer = (form + frame_).boundedTo(area->size()).expandedTo(s->minimumSize());
  s->resize(outer);
  Move_Within(s, area, centre - QPoint(s->width() / 2, s->height() / 2));
}

void Vb_Form::Follow_Client_Area() {
  QWidget* s = sub_.data();
  QWidget* area = s ? s->parentWidget() : nullptr;
  if (!area) return;
  placed_ = s->geometry();
  placed_in_ = area->size();
  following_ = true;
  area->installEventFilter(new Resize_Watch(this, [this] { Client_Area_Resized(); }));
}

void Vb_Form::Client_Area_Resized() {
  QWidget* s = sub_.data();
  QWidget* area = s ? s->parentWidget() : nullptr;
  if (!following_ || unloaded_ || !area || area->size() == placed_in_) return;
  // Moved or sized by the user (or the program) since: it stays there.
  if (s->geometry() != placed_ || !s->isVisible()) {
    following_ = false;
    return;
  }
  // Half the change on each side: a centred window stays centred, every
  // other keeps its distance from the centre, as far as the area allows.
  const QSize grown = area->size() - placed_in_;
  Move_Within(s, area, placed_.topLeft() + QPoint(grown.width() / 2, grown.height() / 2));
  placed_ = s->geometry();
  placed_in_ = area->size();
}

void Vb_Form::Show_As_Child() {
  QMdiArea* area = Mdi();
  if (!area) {
    Show_Top_Level();
    return;
  }
  const QSize want = size();
  auto* s = area->addSubWindow(this);
  s->setAttribute(Qt::WA_DeleteOnClose, false);
  sub_ = s;
  // A child window becoming the active one is an activation of its form
  // (the form itself gets no activation event of its own then). It is
  // handled once the current handler, the load among them, has finished.
  QObject::connect(
      area, &QMdiArea::subWindowActivated, this,
      [this, s](QMdiSubWindow* active) {
        if (active == s && !unloaded_) Form_Activate();
      },
      Qt::QueuedConnection);
  s->show();
  // The form's own size is its client area; the child window adds its frame.
  frame_ = s->size() - size();
  s->resize(want + frame_);
  area->setActiveSubWindow(s);
}

void Vb_Form::Show_Top_Level() {
  setWindowFlag(Qt::Window, true);
  show();
  raise();
}

void Vb_Form::closeEvent(QCloseEvent* e) {
  if (unloaded_) {
    e->accept();
    return;
  }
  e->ignore();
  // What was typed and not yet left stays in the image, as a leave stores
  // it; a refused leave keeps the window open with its box.
  if (!End_Grid_Edits(this) || unloaded_) return;
  if (!Form_Query_Close()) return;
  Unload();
}

bool Vb_Form::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !unloaded_) Form_Activate();
  return QWidget::event(e);
}

std::map<std::type_index, QPointer<Vb_Form>>& Forms::Table() {
  static std::map<std::type_index, QPointer<Vb_Form>> t;
  return t;
}

void Forms::Unload_All() {
  std::vector<QPointer<Vb_Form>> all;
  for (auto& [k, v] : Table())
    if (v) all.push_back(v);
  for (auto& f : all)
    if (f) f->Unload();
}

bool Forms::End_All_Edits() {
  std::vector<QPointer<Vb_Form>> all;
  for (auto& [k, v] : Table())
    if (v && !v->Unloaded()) all.push_back(v);
  bool ended = true;
  for (auto& f : all)
    if (f && !f->Unloaded() && !End_Grid_Edits(f)) ended = false;
  return ended;
}

void Forms::Set_Mdi_Area(QMdiArea* area) { Mdi() = area; }
QMdiArea* Forms::Mdi_Area() { return Mdi(); }
void Forms::Set_Main(QWidget* main) { Main_Window() = main; }
QWidget* Forms::Main() { return Main_Window(); }
