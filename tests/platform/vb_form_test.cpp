#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <vector>

#include "platform/vb_form.h"

namespace {
// Activation counts outlive the windows (an unloaded window is freed).
int Activations[2];

template <int N>
struct Counting_Form : Vb_Form {
  bool loaded = false;
  void Form_Load() override {
    Show_As_Child();
    loaded = true;
  }
  void Form_Activate() override {
    EXPECT_TRUE(loaded) << "an activation comes after the load";
    ++Activations[N];
  }
};

// A window whose size rule leaves too little room for its controls: some
// placed before it is shown, one after (as windows do that place controls
// by their shown size), and one hidden far beyond.
template <bool Child>
struct Small_Rule_Form : Vb_Form {
  std::vector<QWidget*> controls;
  void Form_Load() override {
    resize(200, 100);
    const auto add = [this](QRect r) {
      auto* c = new QWidget(this);
      c->setGeometry(r);
      controls.push_back(c);
      return c;
    };
    add({8, 16, 385, 33});
    add({8, 56, 65, 33});
    add({0, 0, 900, 900})->hide();
    if (Child) {
      Show_As_Child();
      Host()->setGeometry(300, 200, 200, 100);  // the rule gives the outer size
    } else {
      Show_Top_Level();
    }
    add({280, 104, 65, 133})->show();
  }
};

// The room the controls above need: up to their far edges, with the margin
// they keep at the near ones.
const QSize Small_Rule_Need(393 + 8, 237 + 16);

template <bool Child>
void Expect_Controls_Inside(const char* what) {
  auto* f = Forms::Find<Small_Rule_Form<Child>>();
  ASSERT_NE(f, nullptr) << what;
  for (QWidget* c : f->controls)
    if (c->isVisibleTo(f)) {
      EXPECT_TRUE(f->rect().contains(c->geometry())) << what << ": a control is cut off";
    }
  if (Child) {
    EXPECT_TRUE(f->Host()->rect().contains(f->geometry())) << what << ": the child window cuts the form";
  }
  EXPECT_LT(f->width(), 900) << what << ": a hidden control takes no room";
}

template <bool Child>
void Check_Small_Rule() {
  Forms::Load<Small_Rule_Form<Child>>();
  QApplication::processEvents();
  auto* f = Forms::Find<Small_Rule_Form<Child>>();
  Expect_Controls_Inside<Child>("after the load");
  if (Child) {
    const QPoint centre = f->Host()->geometry().center();
    EXPECT_NEAR(centre.x(), 399, 1) << "the child window grew about the centre its rule gave it";
    EXPECT_NEAR(centre.y(), 249, 1);
  }
  // A later resize by the program or the user cannot cut them either.
  QWidget* outer = Child ? f->Host() : f;
  outer->resize(50, 50);
  QApplication::processEvents();
  Expect_Controls_Inside<Child>("after a resize to 50 x 50");
  EXPECT_EQ(f->size(), Small_Rule_Need);
}
// A window whose size rule is smaller than its controls, which it holds in
// a scroll area of its own.
struct Scrolling_Form : Vb_Form {
  QScrollArea* scroll = nullptr;
  void Form_Load() override {
    scroll = new QScrollArea(this);
    auto* content = new QWidget;
    content->setMinimumSize(600, 400);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    (new QVBoxLayout(this))->addWidget(scroll);
    resize(300, 200);
    Show_As_Child();
    Host()->setGeometry(350, 250, 300, 200);
  }
};
// A window its rule centres in the client area, as most are.
struct Centred_Form : Vb_Form {
  void Form_Load() override {
    resize(300, 200);
    Show_As_Child();
    const QSize room = Host()->parentWidget()->size();
    Host()->move((room.width() - Host()->width()) / 2, (room.height() - Host()->height()) / 2);
  }
};

QPoint Off_Centre(const QWidget* host) { return host->geometry().center() - host->parentWidget()->rect().center(); }
}  // namespace

// While the main frame settles its size after a window has opened, the
// window stays where its rule put it relative to the client area's centre;
// once the user has moved it, it stays where the user put it.
TEST(VbForm, AWindowFollowsTheClientAreasCentreUntilMoved) {
  QMdiArea area;
  area.resize(1000, 700);
  area.show();
  Forms::Set_Mdi_Area(&area);
  auto* f = Forms::Load<Centred_Form>();
  QApplication::processEvents();
  QWidget* host = f->Host();
  ASSERT_NE(host, nullptr);
  ASSERT_LE(Off_Centre(host).manhattanLength(), 2);
  for (QSize room : {QSize(1280, 702), QSize(1240, 650), QSize(1278, 760)}) {
    area.resize(room);
    QApplication::processEvents();
    EXPECT_LE(std::abs(Off_Centre(host).x()), 1) << room.width() << " x " << room.height();
    EXPECT_LE(std::abs(Off_Centre(host).y()), 1) << room.width() << " x " << room.height();
  }
  host->move(40, 30);  // the user's place
  area.resize(1000, 700);
  QApplication::processEvents();
  EXPECT_EQ(host->pos(), QPoint(40, 30)) << "a window the user has moved stays put";
  Forms::Unload_All();
  QApplication::processEvents();
  Forms::Set_Mdi_Area(nullptr);
}

TEST(VbForm, AWindowWithAScrollAreaOpensUnscrolledWhereTheClientAreaCanHoldIt) {
  for (QSize room : {QSize(1000, 700), QSize(500, 350)}) {
    QMdiArea area;
    area.resize(room);
    area.show();
    Forms::Set_Mdi_Area(&area);
    auto* f = Forms::Load<Scrolling_Form>();
    QApplication::processEvents();
    const bool fits = room.width() > 700;
    const QScrollArea* s = f->scroll;
    EXPECT_EQ(s->horizontalScrollBar()->isVisible(), !fits) << room.width();
    EXPECT_EQ(s->verticalScrollBar()->isVisible(), !fits) << room.width();
    EXPECT_TRUE(area.viewport()->rect().contains(f->Host()->geometry())) << room.width() << ": past the client area";
    if (fits) {
      EXPECT_GE(s->viewport()->width(), 600);
      EXPECT_GE(s->viewport()->height(), 400);
      EXPECT_NEAR(f->Host()->geometry().center().x(), 499, 1) << "it grew about the centre its rule gave it";
    }
    // A user may still make it smaller, and scroll.
    f->Host()->resize(200, 150);
    QApplication::processEvents();
    EXPECT_LT(f->Host()->width(), 300);
    Forms::Unload_All();
    QApplication::processEvents();
    Forms::Set_Mdi_Area(nullptr);
  }
}

TEST(VbForm, AWindowIsNeverSmallerThanItsControls) {
  QMdiArea area;
  area.resize(800, 600);
  area.show();
  Forms::Set_Mdi_Area(&area);
  Check_Small_Rule<true>();
  Forms::Unload_All();
  QApplication::processEvents();
  Forms::Set_Mdi_Area(nullptr);
  Check_Small_Rule<false>();
  Forms::Unload_All();
  QApplication::processEvents();
}

TEST(VbForm, ChildWindowActivationRaisesFormActivateAfterTheLoad) {
  Activations[0] = Activations[1] = 0;
  QMdiArea area;
  area.resize(800, 600);
  area.show();
  Forms::Set_Mdi_Area(&area);
  // The window system may report one activation more than once; a handler
  // that redraws does the same thing again.
  auto* a = Forms::Load<Counting_Form<0>>();
  QApplication::processEvents();
  EXPECT_GE(Activations[0], 1) << "opening a child window activates it";
  auto* b = Forms::Load<Counting_Form<1>>();
  QApplication::processEvents();
  EXPECT_GE(Activations[1], 1);
  const int a_before = Activations[0], b_before = Activations[1];
  area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(a->Host()));
  QApplication::processEvents();
  EXPECT_GT(Activations[0], a_before) << "switching to a child window activates it";
  EXPECT_EQ(Activations[1], b_before) << "the window left is not activated";
  // An unloaded window hears no more activations.
  const int a_unloaded = Activations[0];
  a->Unload();
  area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(b->Host()));
  QApplication::processEvents();
  EXPECT_GT(Activations[1], b_before);
  EXPECT_EQ(Activations[0], a_unloaded);
  Forms::Unload_All();
  QApplication::processEvents();
  Forms::Set_Mdi_Area(nullptr);
}
