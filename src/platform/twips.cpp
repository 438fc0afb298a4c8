#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace {
QSize& Override() {
  static QSize s;
  return s;
}
}  // namespace

QSize Screen_Size_Px() {
  if (Override().isValid() && !Override().isEmpty()) return Override();
  if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().size();
  return QSize(1280, 800);
}

void Screen_Set_Size_Px(QSize px) { Override() = px; }

double Screen_Width_Twips() { return Px_To_Twips(Screen_Size_Px().width()); }
double Screen_Height_Twips() { return Px_To_Twips(Screen_Size_Px().height()); }

void Place_Window_Twips(QWidget* w, double left, double top, double width, double height) {
  if (!w) return;
  const int wpx = std::max(1, Twips_To_Px(width));
  const int hpx = std::max(1, Twips_To_Px(height));
  // Outer frame size: subtract what the frame adds around the client area.
  const QRect frame = w->frameGeometry();
  const QRect inner = w->geometry();
  const int dw = frame.width() - inner.width();
  const int dh = frame.height() - inner.height();
  w->resize(std::max(1, wpx - dw), std::max(1, hpx - dh));
  w->move(Twips_To_Px(left), Twips_To_Px(top));
}

void Place_Control_Twips(QWidget* w, int left, int top, int width, int height) {
  if (w) w->setGeometry(Twips_To_Px(left), Twips_To_Px(top), Twips_To_Px(width), Twips_To_Px(height));
}

double Client_Width_Twips(const QWidget* w) { return w ? Px_To_Twips(w->width()) : 0.0; }
double Client_Height_Twips(const QWidget* w) { return w ? Px_To_Twips(w->height()) : 0.0; }
