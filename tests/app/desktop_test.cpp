// The main window and its first child window on a desktop: a window manager
// puts its frame around the main window only once it is mapped, maximises it
// after, and the user may restore it. The test command runs these on virtual
// X screens of both supported sizes under a window manager; the headless run
// skips them.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "editors/channel/frm_chann.h"
#include "support/app_fixture.h"
#include "support/display.h"
#include "support/spin.h"

namespace {
// How long a window manager may take to frame, maximise or restore a window
// on a loaded machine; a window that settles ends the wait at once.
constexpr int kWm_Ms = 15000;

QRect Free_Area() { return QGuiApplication::primaryScreen()->availableGeometry(); }

std::string Rect_Text(const QRect& r) {
  return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
}

// What the window manager itself reports about a window, read from the X
// server: the toolkit's own idea of the frame may lag behind it.
xcb_connection_t* X() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(X(), xcb_intern_atom(X(), 0, strlen(name), name), nullptr);
  const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
  free(r);
  return a;
}

std::vector<uint32_t> Property(const QWidget* w, const char* name, xcb_atom_t type) {
  std::vector<uint32_t> v;
  xcb_get_property_reply_t* r = xcb_get_property_reply(
      X(), xcb_get_property(X(), 0, static_cast<xcb_window_t>(w->winId()), Atom(name), type, 0, 64), nullptr);
  if (r && r->format == 32) {
    const auto* d = static_cast<const uint32_t*>(xcb_get_property_value(r));
    v.assign(d, d + xcb_get_property_value_length(r) / 4);
  }
  free(r);
  return v;
}

// The window's inside on the screen as the X server has it now.
QRect X_Inside(const QWidget* w) {
  const auto win = static_cast<xcb_window_t>(w->winId());
  QRect r;
  xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(X(), xcb_get_geometry(X(), win), nullptr);
  if (g) {
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(X(), xcb_translate_coordinates(X(), win, g->root, 0, 0), nullptr);
    if (t) r = QRect(t->dst_x, t->dst_y, g->width, g->height);
    free(t);
  }
  free(g);
  return r;
}

// The whole window, the frame the window manager reports around its inside
// included; empty while it reports none.
QRect Wm_Frame(const QWidget* w) {
  const std::vector<uint32_t> e = Property(w, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
  const QRect inside = X_Inside(w);
  if (e.size() != 4 || inside.isEmpty()) return QRect();
  return inside.marginsAdded(QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3])));
}

bool Wm_Maximised(const QWidget* w) {
  const std::vector<uint32_t> state = Property(w, "_NET_WM_STATE", XCB_ATOM_ATOM);
  const auto has = [&](const char* a) { return std::find(state.begin(), state.end(), Atom(a)) != state.end(); };
  return has("_NET_WM_STATE_MAXIMIZED_VERT") && has("_NET_WM_STATE_MAXIMIZED_HORZ");
}

// The program started on the whole screen, as a user starts it.
class Desktop : public ::testing::Test {
protected:
  void SetUp() override {
    NEED_ON_DISPLAY(QGuiApplication::platformName() == "xcb" && X(), "X display");
    No_Serial_Ports();
    w = Start_Program(QGuiApplication::primaryScreen()->geometry().size());
    const bool framed = Spin_Until([&] { return !Wm_Frame(w.get()).isEmpty(); }, kWm_Ms);
    NEED_ON_DISPLAY(framed, "window manager frames");
    screen = QString("%1 x %2").arg(Free_Area().width()).arg(Free_Area().height()).toStdString();
  }
  void TearDown() override {
    Stop_Program(w);
    Lang_Flag = 0;
  }
  // Waits until the window manager reports the main window in the state,
  // (when asked to) with another inside than before, its whole frame filling
  // the free area of the screen, and the program's own idea of the inside
  // caught up with the X server's. The state and the frame change in
  // separate steps, and the program learns of each only later: the next
  // step's "before" must be the inside this one ended with.
  bool Settled(bool maximised, QRect before = QRect()) {
    return Spin_Until(
        [&] {
          const QRect inside = X_Inside(w.get());
          return Wm_Maximised(w.get()) == maximised && inside != before && w->geometry() == inside &&
                 Wm_Frame(w.get()) == Free_Area();
        },
        kWm_Ms);
  }
  std::string State() const {
    return std::string(Wm_Maximised(w.get()) ? "maximised" : "not maximised") + ", frame " +
           Rect_Text(Wm_Frame(w.get())) + ", inside " + Rect_Text(X_Inside(w.get())) + " (program: " +
           Rect_Text(w->geometry()) + "), screen " + Rect_Text(Free_Area());
  }
  Msg_Recorder rec;
  std::unique_ptr<MDImain> w;
  std::string screen;
};
}  // namespace

// Maximised and restored, again and again, the whole main window, title bar
// included, lies on the screen and fills its free area.
TEST_F(Desktop, MainWindowFrameStaysOnTheScreenMaximisedAndRestored) {
  const struct Step {
    const char* name;
    bool maximised;
  } steps[] = {{"after start-up", true}, {"restored", false}, {"maximised again", true}, {"restored again", false}};
  for (const Step& s : steps) {
    const std::string at = std::string(s.name) + " on " + screen;
    const QRect before = w->geometry();
    const bool first = std::string(s.name) == "after start-up";
    if (!first) w->setWindowState(s.maximised ? Qt::WindowMaximized : Qt::WindowNoState);
    EXPECT_TRUE(Settled(s.maximised, first ? QRect() : before)) << at << ": " << State();
  }
}

// The channel editor the start-up opens stands in the middle of the client
// area the main window ends with, as one opened later does, in either
// language; restoring the main window keeps it whole in the client area.
TEST_F(Desktop, StartUpChannelEditorIsCentredInTheFinalClientArea) {
  ASSERT_TRUE(Settled(true)) << screen << ": " << State();
  QWidget* area = Forms::Mdi_Area()->viewport();
  const auto off_centre = [&](QWidget* host) {
    return host->geometry().center() - area->rect().center();
  };
  const auto centred = [&](QWidget* host) {
    const QPoint d = off_centre(host);
    return std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1;
  };
  for (const char* how : {"at start-up", "reopened in English", "reopened in Chinese"}) {
    const std::string at = std::string(how) + " on " + screen;
    if (std::string(how) != "at start-up") {
      Lang_Flag = std::string(how) == "reopened in Chinese" ? -1 : 0;
      w->Toolbar1_ButtonClick("edit_chann");
    }
    frm_chann* c = Forms::Find<frm_chann>();
    ASSERT_NE(c, nullptr) << at;
    ASSERT_NE(c->Host(), nullptr) << at;
    EXPECT_TRUE(Spin_Until([&] { return centred(c->Host()); }, kWm_Ms))
        << at << ": " << off_centre(c->Host()).x() << ", " << off_centre(c->Host()).y() << " px off centre ("
        << Rect_Text(c->Host()->geometry()) << " in " << area->width() << " x " << area->height() << ")";
  }
  const QRect maximised = w->geometry();
  w->setWindowState(Qt::WindowNoState);
  ASSERT_TRUE(Settled(false, maximised)) << screen << ": " << State();
  QWidget* host = Forms::Find<frm_chann>()->Host();
  EXPECT_TRUE(Spin_Until([&] { return area->rect().contains(host->geometry()); }, kWm_Ms))
      << "restored on " << screen << ": " << Rect_Text(host->geometry()) << " in " << area->width() << " x "
      << area->height();
}
