#include "vb_controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <optional>

#include "platform/msg_box.h"

void Key_Filter_Apply(const Key_Filter& f, int& key, int length) {
  const bool full = f.max_chars > 0 && length >= f.max_chars;
  if (key == 8) {
    if (f.backspace == Key_Filter::Backspace::Refused ||
        (f.backspace == Key_Filter::Backspace::Refused_When_Full && full))
      key = 0;
    return;
  }
  if (key == 13) {
    if (!f.enter_passes) key = 0;
    return;
  }
  if (key < 32) {
    key = 0;
    return;
  }
  if (f.upper && key >= 'a' && key <= 'z') key -= 32;
  if (!f.allowed.isEmpty() && (key > 0xFFFF || !f.allowed.contains(QChar(key)))) {
    key = 0;
    return;
  }
  if (full) key = 0;
}

namespace {
// The character code a key event types, or 0 for a key that types nothing
// (arrows, function keys, shortcuts).
int Typed_Key(const QKeyEvent* e) {
  if (e->key() == Qt::Key_Backspace) return 8;
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
  if (e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return 0;
  const QString t = e->text();
  if (t.isEmpty()) return 0;
  const auto u = t.toUcs4();
  if (u.isEmpty() || u[0] < 32 || u[0] == 127) return 0;
  return static_cast<int>(u[0]);
}

QString Key_String(int key) {
  const char32_t c = static_cast<char32_t>(key);
  return QString::fromUcs4(&c, 1);
}

// Characters of pasted text that are typed: line ends and other control
// characters are dropped, so a paste never acts as Enter.
QList<uint> Pasted_Keys(const QString& t) {
  QList<uint> out;
  for (uint c : t.toUcs4())
    if (c >= 32 && c != 127) out.push_back(c);
  return out;
}

// Sets a line edit's selection aside (when it has one and none is held yet),
// and brings it back with the cursor at the end where it was.
void Hold_Selection(QLineEdit* edit, Held_Selection& held) {
  if (held.start >= 0 || !edit->hasSelectedText()) return;
  held = {edit->selectionStart(), static_cast<int>(edit->selectionLength()),
          edit->cursorPosition() == edit->selectionStart()};
}

void Restore_Selection(QLineEdit* edit, Held_Selection& held) {
  if (held.start < 0) return;
  if (held.start + held.length <= edit->text().size()) {
    if (held.cursor_at_start) edit->setSelection(held.start + held.length, -held.length);
    else edit->setSelection(held.start, held.length);
  }
  held = {};
}

// Types text into a line edit the way its characters would be typed one key
// after another, and makes what passes one edit, so a long paste costs one
// layout of the line instead of one for every character.
//
// Each character goes through `key` (the box's filter and KeyPress; it gives
// the key to type, 0 when refused) seeing, through `typing`, the text the box
// would hold by then: the box's Text() shows it while the paste runs. As for
// a typed key, a selection counts until the first character is accepted and
// that character replaces it; a drop (`drop_at` >= 0) inserts at the drop
// point instead. The paste stops where the box's length limit is reached. When
// no character passes, the text and the selection stay as they were.
//
// A handler may open a message box, whose event loop runs other events: one
// message shows for the whole paste, and should the box's text be changed
// meanwhile, or the box go, the rest of the paste is dropped.
void Type_As_Keys(QLineEdit* edit, const QString& t, std::optional<QString>& typing,
                  const std::function<int(int)>& key, int drop_at = -1) {
  const QList<uint> keys = Pasted_Keys(t);
  if (keys.isEmpty()) return;
  const QPointer<QLineEdit> alive(edit);
  bool changed = false;
  const QMetaObject::Connection watch =
      QObject::connect(edit, &QLineEdit::textChanged, edit, [&changed] { changed = true; });
  Held_Selection before;
  Hold_Selection(edit, before);
  const bool selected = before.start >= 0;
  const int sel_start = before.start;
  const int sel_len = before.length;
  const int cursor = edit->cursorPosition();
  const bool drop = drop_at >= 0;
  bool replace = selected && !drop;  // the selection still counts
  // A drop inserts at its point: the filter sees no selection.
  if (drop && selected) edit->deselect();
  const int limit = edit->maxLength();
  int at = drop ? drop_at : (replace ? sel_start : cursor);
  const int start = at;
  typing = edit->text();
  {
    Msg_Batch one_message;
    for (uint c : keys) {
      const int room = limit - static_cast<int>(typing->size()) + (replace ? sel_len : 0);
      if (room < (c > 0xFFFF ? 2 : 1)) break;
      const int k = key(static_cast<int>(c));
      if (!alive) return;
      if (changed) break;
      if (k <= 0 || k == 8 || k == 13) continue;
      const QString s = Key_String(k);
      if (room < s.size()) break;
      if (replace) {
        typing->remove(sel_start, sel_len);
        edit->deselect();  // as a typed key would have replaced it
        replace = false;
      }
      typing->insert(at, s);
      at += static_cast<int>(s.size());
    }
  }
  QObject::disconnect(watch);
  const bool typed = at > start && !changed;
  const QString text = typed ? typing->mid(start, at - start) : QString();
  typing.reset();
  if (!typed) {
    // Nothing passed: the selection as it was.
    if (!changed && !edit->hasSelectedText()) Restore_Selection(edit, before);
    return;
  }
  if (drop || !selected) edit->setCursorPosition(start);
  else edit->setSelection(sel_start, sel_len);
  edit->insert(text);
}

// A drop's text, typed with `type` at the point it was dropped on; the
// selection the drag set aside is back first, so a refused drop leaves it.
void Drop_Text(QLineEdit* edit, QDropEvent* e, Held_Selection& held,
               const std::function<void(const QString&, int)>& type) {
  const int at = edit->cursorPositionAt(e->position().toPoint());
  Restore_Selection(edit, held);
  if (e->mimeData()->hasText()) type(e->mimeData()->text(), at);
  e->acceptProposedAction();
}

// An input method's event for a line edit whose typing is filtered. The
// composition shows as usual through `pass`, but beside a selection instead
// of over it: the line edit would delete the selected text as soon as the
// composing starts, before anything has passed the filter. The selection is
// set aside meanwhile and is back when the composing ends; what it commits is
// then typed with `type`, as a paste, so that it replaces the selection only
// when its first character is accepted.
void Compose(QLineEdit* edit, QInputMethodEvent* e, Held_Selection& held,
             const std::function<void(QInputMethodEvent*)>& pass, const std::function<void(const QString&)>& type) {
  const QString commit = e->commitString();
  const bool composing = !e->preeditString().isEmpty();
  if (composing && held.start < 0 && edit->hasSelectedText()) {
    Hold_Selection(edit, held);
    edit->deselect();
  }
  QInputMethodEvent pre(e->preeditString(), e->attributes());
  pass(&pre);
  if (!composing) Restore_Selection(edit, held);
  if (!commit.isEmpty()) type(commit);
}

// The edit menu a right-click opens over a text box. It is built here, not
// taken from the line edit: Qt's own menu pastes and undoes straight into the
// box, round its key filter, and Qt does not promise how that menu's items
// could be told apart to reroute them. Paste hands the clipboard's text to
// `paste`; Undo and Redo are there only when `with_undo` (an undo could bring
// back text no filter saw). The menu stays open without a loop of its own,
// as Qt's own does, and goes when it closes.
void Edit_Menu(QLineEdit* edit, QContextMenuEvent* e, bool with_undo,
               const std::function<void(const QString&)>& paste) {
  auto* m = new QMenu(edit);
  m->setAttribute(Qt::WA_DeleteOnClose);
  const bool writable = !edit->isReadOnly();
  const bool visible_text = edit->echoMode() == QLineEdit::Normal;
  const bool selected = edit->hasSelectedText();
  const auto add = [m, edit](const char* text, QKeySequence::StandardKey key, bool enabled,
                             std::function<void()> run) {
    QString caption = QLineEdit::tr(text);
    if (key != QKeySequence::UnknownKey)
      caption += '\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    QAction* a = m->addAction(caption);
    a->setEnabled(enabled);
    QObject::connect(a, &QAction::triggered, edit, std::move(run));
  };
  if (writable && with_undo) {
    add("&Undo", QKeySequence::Undo, edit->isUndoAvailable(), [edit] { edit->undo(); });
    add("&Redo", QKeySequence::Redo, edit->isRedoAvailable(), [edit] { edit->redo(); });
    m->addSeparator();
  }
  if (writable)
    add("Cu&t", QKeySequence::Cut, selected && visible_text, [edit] { edit->cut(); });
  add("&Copy", QKeySequence::Copy, selected && visible_text, [edit] { edit->copy(); });
  if (writable) {
    add("&Paste", QKeySequence::Paste, !QApplication::clipboard()->text().isEmpty(),
        [paste] { paste(QApplication::clipboard()->text()); });
    add("Delete", QKeySequence::UnknownKey, selected, [edit] { edit->del(); });
  }
  m->addSeparator();
  add("Select All", QKeySequence::SelectAll,
      !edit->text().isEmpty() && edit->selectedText().size() != edit->text().size(),
      [edit] { edit->selectAll(); });
  m->popup(e->globalPos());
  e->accept();
}
}  // namespace

// ---------------------------------------------------------------- Vb_Text

Vb_Text::Vb_Text(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (Change) Change();
  });
}

void Vb_Text::Set_Text(const QString& t) { setText(t); }

void Vb_Text::Set_Key_Filter(const Key_Filter& f) {
  filter_ = f;
  has_filter_ = true;
}

int Vb_Text::Filtered(int key) {
  if (has_filter_) Key_Filter_Apply(filter_, key, static_cast<int>(Text().size()));
  if (key != 0 && KeyPress) KeyPress(key);
  return key;
}

void Vb_Text::Apply_Key(int key) {
  if (key == 8) backspace();
  else if (key != 13 && key > 0) insert(Key_String(key));
}

void Vb_Text::Type_Key(int key) { Apply_Key(Filtered(key)); }

QString Vb_Text::Text() const { return typing_ ? *typing_ : text(); }

void Vb_Text::Type_Text(const QString& t, int drop_at) {
  Type_As_Keys(this, t, typing_, [this](int k) { return Filtered(k); }, drop_at);
}

void Vb_Text::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Paste)) {
    Type_Text(QApplication::clipboard()->text());
    e->accept();
    return;
  }
  if (Filters_Keys() && (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo))) {
    e->accept();
    return;
  }
  const int key = Typed_Key(e);
  if (key == 0) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  const int k = Filtered(key);
  if (k == key) {
    QLineEdit::keyPressEvent(e);  // the key as typed
  } else {
    Apply_Key(k);  // refused (0) or replaced
    e->accept();
  }
}

void Vb_Text::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (e->reason() != Qt::PopupFocusReason && GotFocus) GotFocus();
}

void Vb_Text::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (e->reason() != Qt::PopupFocusReason && LostFocus) LostFocus();
}

// Dragging over the box moves its cursor to show where the text would go,
// which takes the selection away: it is set aside meanwhile and comes back
// when the drag leaves or its text is refused.
void Vb_Text::dragEnterEvent(QDragEnterEvent* e) {
  Hold_Selection(this, held_);
  QLineEdit::dragEnterEvent(e);
}

void Vb_Text::dragLeaveEvent(QDragLeaveEvent* e) {
  QLineEdit::dragLeaveEvent(e);
  Restore_Selection(this, held_);
}

void Vb_Text::dropEvent(QDropEvent* e) {
  Drop_Text(this, e, held_, [this](const QString& t, int at) { Type_Text(t, at); });
}

void Vb_Text::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::MiddleButton) {
    QClipboard* cb = QApplication::clipboard();
    if (cb->supportsSelection()) Type_Text(cb->text(QClipboard::Selection));
    e->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(e);
}

void Vb_Text::contextMenuEvent(QContextMenuEvent* e) {
  Edit_Menu(this, e, !Filters_Keys(), [this](const QString& t) { Type_Text(t); });
}

void Vb_Text::inputMethodEvent(QInputMethodEvent* e) {
  if (!has_filter_ && !KeyPress) {
    QLineEdit::inputMethodEvent(e);
    return;
  }
  Compose(this, e, held_, [this](QInputMethodEvent* pre) { QLineEdit::inputMethodEvent(pre); },
          [this](const QString& commit) { Type_Text(commit); });
}

// ---------------------------------------------------------------- Vb_Combo

Vb_Combo::Vb_Combo(QWidget* parent, bool editable) : QComboBox(parent) {
  setInsertPolicy(QComboBox::NoInsert);
  if (editable) {
    setEditable(true);
    setCompleter(nullptr);
    // The combo box would select an item whose text matches the typed text
    // when editing finishes; a list here changes its selection only when
    // the user picks or the program sets it.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
      if (!quiet_ && Change) Change();
    });
  }
  typing_ = editable ? Typing_Rule::Free : Typing_Rule::Refused;
  connect(this, qOverload<int>(&QComboBox::activated), this, [this] {
    if (!quiet_) Raise_Click();
  });
}

int Vb_Combo::Width_For_Items() const {
  const QFontMetrics fm = fontMetrics();
  int text = fm.horizontalAdvance(currentText());
  for (int i = 0; i < count(); ++i) text = std::max(text, fm.horizontalAdvance(itemText(i)));
  QStyleOptionComboBox opt;
  initStyleOption(&opt);
  return style()->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(text, fm.height()), this).width();
}

void Vb_Combo::showPopup() {
  QAbstractItemView* v = view();
  const int bar = v->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, v);
  v->setMinimumWidth(v->sizeHintForColumn(0) + bar + 2 * v->frameWidth());
  QComboBox::showPopup();
}

void Vb_Combo::Raise_Click() {
  if (Click) Click();
}

void Vb_Combo::Clear_Items() {
  const QString t = Text();
  ++quiet_;
  clear();
  if (isEditable()) lineEdit()->setText(t);
  --quiet_;
}

void Vb_Combo::Add_Item(const QString& item) { Add_Items({item}); }

void Vb_Combo::Add_Items(const QStringList& items) {
  ++quiet_;
  const QString t = isEditable() ? lineEdit()->text() : QString();
  const int index = currentIndex();
  addItems(items);
  if (currentIndex() != index) setCurrentIndex(index);
  if (isEditable() && lineEdit()->text() != t) lineEdit()->setText(t);
  --quiet_;
}

void Vb_Combo::Clear() {
  const QString before = Text();
  ++quiet_;
  clear();
  if (isEditable()) lineEdit()->clear();
  --quiet_;
  if (!before.isEmpty() && Change) Change();
}

void Vb_Combo::Set_List_Index(int i) {
  ++quiet_;
  setCurrentIndex(i >= 0 && i < count() ? i : -1);
  --quiet_;
  if (i >= 0 && currentIndex() == i) Raise_Click();
}

void Vb_Combo::Show_Index_Quiet(int i) {
  ++quiet_;
  setCurrentIndex(i >= 0 && i < count() ? i : -1);
  --quiet_;
}

QString Vb_Combo::Text() const {
  if (pending_) return *pending_;
  return isEditable() ? lineEdit()->text() : currentText();
}

void Vb_Combo::Set_Text(const QString& t) {
  if (!isEditable()) {
    const int i = findText(t, Qt::MatchExactly);
    if (i >= 0 && i != currentIndex()) Set_List_Index(i);
    return;
  }
  if (lineEdit()->text() == t) return;
  ++quiet_;
  lineEdit()->setText(t);
  --quiet_;
  if (Change) Change();
}

void Vb_Combo::Set_Typing_Rule(Typing_Rule r, const QString* undo_text) {
  typing_ = r;
  undo_text_ = undo_text;
}

// Pasted, dropped and composed text is typed as keys, under the list's rule
// and KeyPress.
void Vb_Combo::Paste_Text(const QString& t, int drop_at) {
  if (typing_ == Typing_Rule::Free && isEditable()) {
    Type_As_Keys(lineEdit(), t, pending_, [this](int k) {
      if (KeyPress) KeyPress(k);
      return k;
    }, drop_at);
  } else if (typing_ == Typing_Rule::Put_Back && undo_text_) {
    Set_Text(*undo_text_);
  }
}

// A key typed into the list: the rule and KeyPress decide. Returns true when
// the key was dealt with here and must not reach the edit field.
bool Vb_Combo::Handle_Key(QKeyEvent* e) {
  if (e->matches(QKeySequence::Paste)) {
    Paste_Text(QApplication::clipboard()->text());
    return true;
  }
  if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) return true;
  const int key = Typed_Key(e);
  if (key == 0) return false;
  int k = key;
  if (KeyPress) KeyPress(k);
  if (k == 13) return k != key;  // Enter: nothing more happens in the list itself
  if (k == 0) return true;
  if (typing_ == Typing_Rule::Refused || !isEditable()) return true;
  if (typing_ == Typing_Rule::Put_Back) {
    if (undo_text_) Set_Text(*undo_text_);
    return true;
  }
  if (k != key) {
    if (k == 8) lineEdit()->backspace();
    else lineEdit()->insert(Key_String(k));
    return true;
  }
  return false;
}

void Vb_Combo::keyPressEvent(QKeyEvent* e) {
  if (Handle_Key(e)) {
    e->accept();
    return;
  }
  QComboBox::keyPressEvent(e);
}

bool Vb_Combo::eventFilter(QObject* o, QEvent* e) {
  if (o == lineEdit()) {
    switch (e->type()) {
      case QEvent::KeyPress:
        if (Handle_Key(static_cast<QKeyEvent*>(e))) return true;
        break;
      case QEvent::ContextMenu:
        // The list's keys never undo, so neither does its menu.
        Edit_Menu(lineEdit(), static_cast<QContextMenuEvent*>(e), false,
                  [this](const QString& t) { Paste_Text(t); });
        return true;
      // A drag over the field keeps its selection aside, as over a text box.
      case QEvent::DragEnter:
        if (typing_ != Typing_Rule::Free || KeyPress) Hold_Selection(lineEdit(), held_);
        break;
      case QEvent::DragLeave:
        Restore_Selection(lineEdit(), held_);
        break;
      case QEvent::Drop:
        if (typing_ != Typing_Rule::Free || KeyPress) {
          Drop_Text(lineEdit(), static_cast<QDropEvent*>(e), held_,
                    [this](const QString& t, int at) { Paste_Text(t, at); });
          return true;
        }
        break;
      case QEvent::InputMethod:
        if (Input_Method(static_cast<QInputMethodEvent*>(e))) return true;
        break;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton) {
          const QClipboard* cb = QApplication::clipboard();
          if (cb->supportsSelection()) Paste_Text(cb->text(QClipboard::Selection));
          return true;
        }
        break;
      default:
        break;
    }
  }
  return QComboBox::eventFilter(o, e);
}

// An input method's events, whichever widget they reach: Qt hands them to
// the focus widget, which for an editable list is the list itself, and the
// list passes them straight to its edit field, past that field's filter.
// Returns true when the event was dealt with here.
bool Vb_Combo::Input_Method(QInputMethodEvent* e) {
  if (!isEditable() || composing_) return false;  // composing_: on its way to the field
  if (typing_ == Typing_Rule::Free && KeyPress) {
    Compose(lineEdit(), e, held_,
            [this](QInputMethodEvent* pre) {
              composing_ = true;
              QApplication::sendEvent(lineEdit(), pre);
              composing_ = false;
            },
            [this](const QString& commit) { Paste_Text(commit); });
    return true;
  }
  if (typing_ != Typing_Rule::Free) {
    if (typing_ == Typing_Rule::Put_Back && undo_text_) Set_Text(*undo_text_);
    return true;
  }
  return false;
}

void Vb_Combo::inputMethodEvent(QInputMethodEvent* e) {
  if (Input_Method(e)) {
    e->accept();
    return;
  }
  QComboBox::inputMethodEvent(e);
}

void Vb_Combo::focusInEvent(QFocusEvent* e) {
  QComboBox::focusInEvent(e);
  if (e->reason() != Qt::PopupFocusReason && GotFocus) GotFocus();
}

void Vb_Combo::focusOutEvent(QFocusEvent* e) {
  QComboBox::focusOutEvent(e);
  if (e->reason() != Qt::PopupFocusReason && LostFocus) LostFocus();
}

// ---------------------------------------------------------------- Vb_Check

Vb_Check::Vb_Check(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, [this] {
    if (Click) Click();
  });
}

void Vb_Check::Set_Value(int v) { setChecked(v != 0); }
