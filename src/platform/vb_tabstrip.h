#pragma once
// A tab strip: a row of tabs over a client area. The strip holds no pages:
// a window places its page frames over the client area itself (the frames
// are the window's children, raised above the strip) and shows the one
// that belongs to the selected tab.
//
// Tabs are numbered from 1, as the windows number them. Click is raised
// after the user has chosen a tab, and after the program selects one with
// Set_Selected when that changes the selection.

#include <QWidget>
#include <functional>

class QTabBar;

class Vb_TabStrip : public QWidget {
  Q_OBJECT
public:
  explicit Vb_TabStrip(QWidget* parent = nullptr);

  void Tabs_Clear();
  void Tabs_Add(const QString& caption);
  int Tabs_Count() const;
  QString Tab_Caption(int i) const;  // 1-based

  // The selected tab, 1-based (0 when there is none).
  int Selected() const;
  void Set_Selected(int i);

  // The client area below the tabs, in the parent's coordinates (pixels).
  QRect Client_Rect() const;
  int Client_Left() const { return Client_Rect().left(); }
  int Client_Top() const { return Client_Rect().top(); }
  int Client_Width() const { return Client_Rect().width(); }
  int Client_Height() const { return Client_Rect().height(); }

  // Simulated user choice of tab i (tests).
  void Click_Tab(int i);

  QTabBar* Bar() const { return bar_; }

  std::function<void()> Click;

protected:
  void resizeEvent(QResizeEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

private:
  QTabBar* bar_ = nullptr;
  int quiet_ = 0;
};
