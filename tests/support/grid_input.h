#pragma once
// The mouse and the wheel as a user works a grid: each event goes to the
// widget that is at that place on the screen, whatever it is (the grid, the
// grid's fixed column, or an editor floating over the cells).

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include "platform/vb_grid.h"

// A left click at p, in top's coordinates; returns the widget it reached.
inline QWidget* Click_At(QWidget* top, QPoint p) {
  QWidget* target = top->childAt(p);
  if (!target) target = top;
  const QPointF local = target->mapFrom(top, p);
  const QPointF global = target->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(target, &release);
  return target;
}

// A click on the middle of cell (r, c) where the grid shows it now.
inline QWidget* Click_Grid_Cell(Vb_Grid* g, int r, int c) {
  QWidget* top = g->window();
  return Click_At(top, g->mapTo(top, g->Cell_Rect_At(r, c).center()));
}

// The widget a user sees at the middle of cell (r, c).
inline QWidget* Widget_Over_Cell(Vb_Grid* g, int r, int c) {
  QWidget* top = g->window();
  return top->childAt(g->mapTo(top, g->Cell_Rect_At(r, c).center()));
}

// Turns the wheel over the grid's cells by notches (positive: down or
// right), as a mouse wheel sends them.
inline void Wheel_Grid(Vb_Grid* g, int notches, Qt::Orientation o = Qt::Vertical) {
  QWidget* vp = g->viewport();
  const QPointF at = QRectF(vp->rect()).center();
  const int step = notches < 0 ? 120 : -120;
  for (int n = 0; n < std::abs(notches); ++n) {
    const QPoint angle = o == Qt::Vertical ? QPoint(0, step) : QPoint(step, 0);
    QWheelEvent e(at, vp->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(vp, &e);
  }
}

// Whether row r is shown from top to bottom inside the grid's data area.
inline bool Row_Shown_Whole(const Vb_Grid* g, int r) {
  const QRect data = g->viewport()->geometry();
  const QRect cell = g->Cell_Rect_At(r, g->Cols() - 1);
  return cell.top() >= data.top() && cell.bottom() <= data.bottom();
}

// The widget holding the keyboard focus in the grid's window.
inline QWidget* Focus_In(const QWidget* w) { return w->window()->focusWidget(); }
