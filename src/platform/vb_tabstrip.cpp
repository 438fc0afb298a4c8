#include "vb_tabstrip.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

Vb_TabStrip::Vb_TabStrip(QWidget* parent) : QWidget(parent) {
  bar_ = new QTabBar(this);
  bar_->setDrawBase(false);
  bar_->setExpanding(false);
  bar_->move(0, 0);
  // A user's choice is a click; the program's own selection raises it in
  // Set_Selected, so the tab bar's signal is heard only outside of it.
  connect(bar_, &QTabBar::currentChanged, this, [this] {
    if (!quiet_ && Click) Click();
  });
  // A click on the tab that is selected already changes nothing in the bar,
  // but it is a click all the same (the bar reports a press on another tab
  // before it changes the selection, so that one raises Click only once).
  connect(bar_, &QTabBar::tabBarClicked, this, [this](int index) {
    if (!quiet_ && index >= 0 && index == bar_->currentIndex() && Click) Click();
  });
}

void Vb_TabStrip::Tabs_Clear() {
  ++quiet_;
  while (bar_->count() > 0) bar_->removeTab(bar_->count() - 1);
  --quiet_;
}

void Vb_TabStrip::Tabs_Add(const QString& caption) {
  ++quiet_;
  bar_->addTab(caption);
  bar_->resize(bar_->sizeHint().width(), bar_->sizeHint().height());
  --quiet_;
  update();
}

int Vb_TabStrip::Tabs_Count() const { return bar_->count(); }

QString Vb_TabStrip::Tab_Caption(int i) const { return bar_->tabText(i - 1); }

int Vb_TabStrip::Selected() const { return bar_->currentIndex() + 1; }

void Vb_TabStrip::Set_Selected(int i) {
  if (i < 1 || i > bar_->count() || i == Selected()) return;
  ++quiet_;
  bar_->setCurrentIndex(i - 1);
  --quiet_;
  if (Click) Click();
}

void Vb_TabStrip::Click_Tab(int i) {
  if (i < 1 || i > bar_->count()) return;
  if (i == Selected()) {
    if (Click) Click();  // a click on the selected tab is a click all the same
    return;
  }
  bar_->setCurrentIndex(i - 1);
}

QRect Vb_TabStrip::Client_Rect() const {
  const int top = bar_->height();
  const int m = 3;  // inside the frame line
  return QRect(x() + m, y() + top + m, std::max(0, width() - 2 * m),
               std::max(0, height() - top - 2 * m));
}

void Vb_TabStrip::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  bar_->resize(std::min(width(), bar_->sizeHint().width()), bar_->sizeHint().height());
}

void Vb_TabStrip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QStyleOptionTabWidgetFrame opt;
  opt.initFrom(this);
  opt.rect = QRect(0, bar_->height() - 1, width(), height() - bar_->height() + 1);
  opt.shape = QTabBar::RoundedNorth;
  opt.tabBarSize = bar_->size();
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, this);
}
