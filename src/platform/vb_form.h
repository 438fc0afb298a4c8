#pragma once
// Windows of the program: one instance per window class, loaded, reloaded
// and unloaded by the main window's commands.
//
//  - load: create the window if it does not exist; otherwise nothing happens;
//  - reload: unload an existing instance, then create a fresh one;
//  - unload: run the window's own unload handling and remove it.
//
// An unloaded window is hidden and stopped at once, but destroyed only when
// no message box is open: a handler of that window may still be on the stack
// below the message box's event loop, and must find its object alive when the
// box returns. Such a handler checks Unloaded() after every message box.

#include <QMdiArea>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <typeindex>

class Vb_Form : public QWidget {
  Q_OBJECT
public:
  explicit Vb_Form(QWidget* parent = nullptr);
  ~Vb_Form() override;

  bool Unloaded() const { return unloaded_; }

  // Runs Form_Unload, then hides the window and frees it later. An unload
  // handler that refuses (returns false) keeps the window (only a window's
  // own close request can be refused that way; see Form_Query_Close).
  void Unload();

  // The child window of the main frame that holds this form (nullptr when
  // the form is a top-level window).
  QWidget* Host() const;

protected:
  // Called once, right after construction, by the window registry.
  virtual void Form_Load() {}
  // The window's own unload handling: stop transfers, close ports.
  virtual void Form_Unload() {}
  // The user asked to close the window (its title-bar close button); return
  // false to keep it open. Asked once the window's grid edits have ended:
  // a grid whose leave refuses keeps the window open before this is asked.
  virtual bool Form_Query_Close() { return true; }
  // The window became the active window (for a child window: the active
  // child window of the main frame). The window system may report one
  // activation more than once, so a handler does what may be done again.
  virtual void Form_Activate() {}

  // Shows the form as a child window of the main frame's MDI area.
  void Show_As_Child();
  // Shows the form as a top-level window.
  void Show_Top_Level();

  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;

private:
  // The size the form's controls need: its layout's minimum, or the room up
  // to the far edges of the controls placed by position (hidden ones aside).
  // Invalid when there is no control.
  QSize Controls_Extent() const;
  // Once loaded, the form (and its child window) is kept at least as large
  // as its controls need.
  void Keep_Controls_Inside();
  // How much larger the form must be for its scroll areas to show their
  // contents whole (nothing when they do).
  QSize Scrolled_Lack() const;
  // Resizes the child window to hold a form of this size, about the given
  // centre, inside the main frame's client area.
  void Resize_Host(QSize form, QPoint centre);
  // Once loaded, a child window keeps the place its rule gave it relative
  // to the centre of the main frame's client area while that area changes
  // size (the main frame settles its size only after the first window has
  // opened), until the window is moved or sized otherwise.
  void Follow_Client_Area();
  void Client_Area_Resized();
  friend class Forms;
  bool unloaded_ = false;
  QPointer<QWidget> sub_;
  QSize frame_;  // what the child window adds around the form
  QRect placed_;     // where the rule, or the following, last put the child window
  QSize placed_in_;  // the size of the client area then
  bool following_ = false;
};

// The registry of loaded windows, one per class.
class Forms {
public:
  template <class T>
  static T* Find() {
    auto it = Table().find(std::type_index(typeid(T)));
    if (it == Table().end() || !it->second || it->second->Unloaded()) return nullptr;
    return static_cast<T*>(it->second.data());
  }

  template <class T, class... Args>
  static T* Load(Args&&... args) {
    if (T* t = Find<T>()) return t;
    T* t = new T(std::forward<Args>(args)...);
    Table()[std::type_index(typeid(T))] = t;
    static_cast<Vb_Form*>(t)->Form_Load();
    if (!t->Unloaded()) {
      static_cast<Vb_Form*>(t)->Keep_Controls_Inside();
      static_cast<Vb_Form*>(t)->Follow_Client_Area();
    }
    return t;
  }

  template <class T, class... Args>
  static T* Reload(Args&&... args) {
    Unload<T>();
    return Load<T>(std::forward<Args>(args)...);
  }

  template <class T>
  static void Unload() {
    if (T* t = Find<T>()) static_cast<Vb_Form*>(t)->Unload();
  }

  // Unloads every window (program exit).
  static void Unload_All();

  // Ends the open grid edit of every loaded window (End_Grid_Edits), before
  // the whole image is read or replaced (an image file saved or loaded).
  // False when a grid refused its leave.
  static bool End_All_Edits();

  // Where child windows live.
  static void Set_Mdi_Area(QMdiArea* area);
  static QMdiArea* Mdi_Area();

  // The main frame window, for the sizing rules of the other windows.
  static void Set_Main(QWidget* main);
  static QWidget* Main();

private:
  static std::map<std::type_index, QPointer<Vb_Form>>& Table();
};

// Destroys obj once no message box is open (at once when none is).
void Defer_Delete(QObject* obj);
