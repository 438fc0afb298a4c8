#pragma once
// Takes the editing controls of a window out of the user's reach for a
// while and gives them back as they were.
//
// Locked, every text box, list, check box, option button and grid among the
// root's descendants is disabled, so nothing typed, picked, clicked, pasted
// or dropped reaches it; push buttons, labels, tabs and frames stay as they
// are (buttons keep answering, with their own refusals). What a control
// looked like before is kept: one the window had disabled is disabled
// again when the lock goes, one it had enabled is enabled again. The window
// may go on enabling or disabling controls while they are locked (a redraw
// does): that is what they get back, and they stay disabled until then.
//
// An edit open in a grid when the lock comes is ended first, as a click on
// the grid's fixed column ends it: what was typed goes in before the
// controls are taken, so a write sends it and a read replaces it, and no
// box is left holding text from before.
//
// Input that a disabled control would still be handed when it is sent to
// it directly (a drop, an input method's text) is swallowed as well, on the
// control and on its parts.

#include <QObject>
#include <QPointer>
#include <vector>

class QWidget;

class Input_Lock : public QObject {
  Q_OBJECT
public:
  explicit Input_Lock(QWidget* root);
  ~Input_Lock() override;

  void Set_Locked(bool on);
  bool Locked() const { return locked_; }

  // Whether w is a control the lock takes: one that edits a value.
  static bool Is_Editing_Control(const QWidget* w);

protected:
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void Collect(QWidget* parent);
  void Disable(QWidget* w);

  QPointer<QWidget> root_;
  std::vector<QPointer<QWidget>> held_;  // the editing controls locked
  std::vector<QPointer<QWidget>> watched_;  // the held controls and their parts
  bool locked_ = false;
  bool wanted_ = false;  // the last state asked for
  bool ending_ = false;  // ending the grids' edits, which may show a message
  int applying_ = 0;  // our own setEnabled calls
};
