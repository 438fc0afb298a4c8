#pragma once
// Text boxes, list boxes and check boxes that behave the way every window of
// the program expects:
//
//  - a value set by the program raises the control's Change or Click handler
//    at once, nested inside the setter, exactly as a user's change does;
//  - filling or emptying a list never raises Click, and never selects an
//    item by itself;
//  - typed characters pass through a KeyPress handler that may discard or
//    replace them, and so does every other way text gets in (paste by key
//    or from the right-click menu, drop, middle-click, an input method's
//    commit), so a key filter cannot be side-stepped. Such text is checked
//    character by character as if typed, a selection going only when a
//    character is accepted, and what passes goes in as one edit.
//
// Handlers are plain functions the window installs; a missing one does
// nothing.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <optional>

// A filter for fixed-format text boxes, configured per box from a table.
struct Key_Filter {
  enum class Backspace { Pass, Refused_When_Full, Refused };
  // Characters that pass; empty: every printable character passes.
  QString allowed;
  // a..z become A..Z before the check.
  bool upper = false;
  // 0: no limit; else once the box holds this many characters every further
  // character is refused.
  int max_chars = 0;
  Backspace backspace = Backspace::Pass;
  // Enter (13) reaches the window's handler.
  bool enter_passes = true;
};

// Applies a filter to one key: key is a character code (8 = Backspace,
// 13 = Enter) and becomes 0 when the key is refused, or the replacement
// character. length is the number of characters the box holds now.
void Key_Filter_Apply(const Key_Filter& f, int& key, int length);

// A selection set aside while an input method composes or a drag hovers
// over the box (see Vb_Text); start < 0: none.
struct Held_Selection {
  int start = -1;
  int length = 0;
  bool cursor_at_start = false;
};

// How a list treats text the user types into its edit field.
enum class Typing_Rule {
  Free,        // the typed text stays (and raises Change)
  Refused,     // typed keys are discarded
  Put_Back,    // the text is put back to the list's saved text (Undo_Text)
};

class Vb_Text : public QLineEdit {
  Q_OBJECT
public:
  explicit Vb_Text(QWidget* parent = nullptr);

  // Sets the text as the program; raises Change when the text changes.
  void Set_Text(const QString& t);
  // While a paste is being typed, the text as it stands after the characters
  // accepted so far (the box itself changes once, at the end).
  QString Text() const;

  // An optional filter applied before KeyPress (and to pasted text).
  void Set_Key_Filter(const Key_Filter& f);
  const Key_Filter* Filter() const { return has_filter_ ? &filter_ : nullptr; }

  // Feeds text through the filter and KeyPress, character by character, as
  // if typed at the cursor: the first character accepted replaces a
  // selection; what is accepted goes in as one edit (one Change). drop_at >= 0
  // types at that position instead (a drop). Paste, drop and an input
  // method's commit use it.
  void Type_Text(const QString& t, int drop_at = -1);
  // One key as if typed: filter, KeyPress, then the edit.
  void Type_Key(int key);

  std::function<void()> Change;
  std::function<void(int& key)> KeyPress;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

private:
  // Typed text passes a filter or a KeyPress handler: then nothing may undo
  // or redo past them.
  bool Filters_Keys() const { return has_filter_ || KeyPress != nullptr; }
  // Runs a key through the filter and the handler; returns the key to use.
  int Filtered(int key);
  void Apply_Key(int key);
  Key_Filter filter_;
  bool has_filter_ = false;
  std::optional<QString> typing_;  // the text so far while a paste is typed
  Held_Selection held_;  // while an input method composes or a drag hovers
};

class Vb_Combo : public QComboBox {
  Q_OBJECT
public:
  // editable: the list has a text field the user can type into.
  explicit Vb_Combo(QWidget* parent = nullptr, bool editable = false);

  // Fills the list; never raises Click or Change, never changes the text
  // or the selection.
  void Clear_Items();  // the list only; see Clear
  void Add_Item(const QString& item);
  void Add_Items(const QStringList& items);
  // Empties the list and its text (Change when the text was not empty).
  void Clear();
  int List_Count() const { return count(); }
  QString List(int i) const { return itemText(i); }

  // The selected item, -1 for none.
  int List_Index() const { return currentIndex(); }
  // Selects item i as the program: raises Click at once for every i >= 0,
  // also when it was selected already (showing a value stores it again);
  // -1 clears the selection and raises nothing.
  void Set_List_Index(int i);
  // Selects item i without raising anything: showing a value before the
  // user picks, where a pick must be the only thing that stores.
  void Show_Index_Quiet(int i);

  // The text shown (for a non-editable list: the selected item's text).
  QString Text() const;
  // Sets the text of an editable list as the program: raises Change when
  // it changes. Selects nothing.
  void Set_Text(const QString& t);

  // What typing into the edit field does; Put_Back restores *undo_text.
  void Set_Typing_Rule(Typing_Rule r, const QString* undo_text = nullptr);

  // The width the box needs to show any of its items, and its text, whole.
  int Width_For_Items() const;

  // Opens the list at least as wide as its widest item and its scroll bar,
  // however narrow the box.
  void showPopup() override;

  std::function<void()> Click;   // an item was chosen (user or program)
  std::function<void()> Change;  // the text of the edit field changed
  std::function<void(int& key)> KeyPress;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

private:
  bool Input_Method(QInputMethodEvent* e);
  void Raise_Click();
  // drop_at >= 0: typed at that position of the edit field (a drop).
  void Paste_Text(const QString& t, int drop_at = -1);
  bool Handle_Key(QKeyEvent* e);
  int quiet_ = 0;  // nesting depth of fills that must raise nothing
  QString last_text_;
  Typing_Rule typing_ = Typing_Rule::Free;
  const QString* undo_text_ = nullptr;
  std::optional<QString> pending_;  // the text so far while a paste is typed
  Held_Selection held_;  // while an input method composes or a drag hovers
  bool composing_ = false;  // an input method's composition is being shown
};

class Vb_Check : public QCheckBox {
  Q_OBJECT
public:
  explicit Vb_Check(QWidget* parent = nullptr);
  int Value() const { return isChecked() ? 1 : 0; }
  // Sets the state as the program; raises Click when it changes.
  void Set_Value(int v);
  std::function<void()> Click;
};
