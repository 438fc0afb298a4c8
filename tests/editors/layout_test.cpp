// Every editor window, on every page, shows what a user must read or reach:
// on the smallest screen the program supports and on the one it is made
// for, in both languages. Texts are measured by the fonts they are drawn
// in, headers by what the style needs around their texts, lists by their
// opened popups.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionHeader>
#include <QTabBar>

#include "editors/alignment/frm_adj_txp.h"
#include "editors/channel/frm_chann.h"
#include "editors/channel/frm_fm.h"
#include "editors/options/frm_option.h"
#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/frm_5tone.h"
#include "editors/signalling/frm_dtmf.h"
#include "platform/vb_controls.h"
#include "platform/vb_grid.h"
#include "platform/vb_tabstrip.h"
#include "support/app_fixture.h"

namespace {
// The width a list box needs to show `text` whole in its field.
int Combo_Need(const QComboBox* c, const QString& text) {
  QStyleOptionComboBox opt;
  opt.initFrom(c);
  opt.editable = c->isEditable();
  opt.frame = c->hasFrame();
  opt.currentText = text;
  const QSize contents(c->fontMetrics().horizontalAdvance(text), c->fontMetrics().height());
  return c->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, contents, c).width();
}

// What a header section needs to draw its text whole: the text and the
// style's margins around it.
QSize Header_Need(const QHeaderView* h, int section) {
  QStyleOptionHeader opt;
  opt.initFrom(h);
  opt.section = section;
  opt.orientation = h->orientation();
  opt.text = h->model()->headerData(section, h->orientation()).toString();
  opt.fontMetrics = h->fontMetrics();
  return h->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), h);
}

// The opened popup of a list shows every item whole, beside its scroll bar.
void Check_Popup(QComboBox* c, const std::string& at) {
  if (c->count() == 0) return;
  c->showPopup();
  Let_Events_Run(1);
  QAbstractItemView* v = c->view();
  EXPECT_GE(v->viewport()->width(), v->sizeHintForColumn(0))
      << at << ": the opened list of " << Widget_Name(c) << " cuts its items";
  c->hidePopup();
  Let_Events_Run(1);
}

// A grid's header row draws its texts whole, and a grid of 16 rows or
// fewer shows all of its rows and columns without scrolling.
void Check_Grid(Vb_Grid* g, const std::string& at) {
  const std::string what = at + ": grid " + Widget_Name(g);
  // The data columns live in the grid's own header, the fixed ones in the
  // view laid over its margin; both headers are drawn.
  for (QHeaderView* h : g->findChildren<QHeaderView*>()) {
    if (h->orientation() != Qt::Horizontal || !h->isVisible()) continue;
    for (int c = 0; c < h->count(); ++c) {
      if (h->isSectionHidden(c)) continue;
      const QSize need = Header_Need(h, c);
      EXPECT_GE(h->height(), need.height()) << what << ": header of column " << c << " is cut at the bottom";
      EXPECT_GE(h->sectionSize(c), need.width()) << what << ": header of column " << c << " is cut at the side";
    }
  }
  EXPECT_GE(g->rowHeight(0), g->fontMetrics().height()) << what << ": rows lower than a line of text";
  if (g->Rows() - 1 > 16) return;
  EXPECT_EQ(g->verticalScrollBar()->maximum(), 0) << what << ": rows hidden";
  EXPECT_EQ(g->horizontalScrollBar()->maximum(), 0) << what << ": columns hidden";
  const int last = g->rowCount() - 1;
  EXPECT_LE(g->rowViewportPosition(last) + g->rowHeight(last), g->viewport()->height()) << what << ": last row cut";
  const int col = g->columnCount() - 1;
  EXPECT_LE(g->columnViewportPosition(col) + g->columnWidth(col), g->viewport()->width())
      << what << ": last column cut";
}

// Every visible control below `parent` shows its text whole, inside its
// parent; lists show their current items whole and open wide enough for all.
void Check_Controls(QWidget* parent, const std::string& at) {
  for (QWidget* k : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (k->isWindow() || !k->isVisible()) continue;
    // Inside its parent: a control reaching past its frame is cut by it.
    EXPECT_TRUE(parent->rect().contains(k->geometry())) << at << ": " << Widget_Name(k) << " is cut by its parent " << Widget_Name(parent);
    if (auto* l = qobject_cast<QLabel*>(k)) {
      if (l->text().isEmpty()) continue;
      const QRect room = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
      if (l->wordWrap()) {
        EXPECT_GE(l->height(), l->heightForWidth(l->width())) << at << ": " << Widget_Name(l) << " cuts its lines";
        // A word wider than the label is cut whatever the wrapping does.
        for (const QString& word : l->text().split(' ', Qt::SkipEmptyParts))
          EXPECT_GE(room.width(), l->fontMetrics().horizontalAdvance(word)) << at << ": " << Widget_Name(l) << " cuts \"" << word.toStdString() << "\"";
      } else {
        const QFontMetrics fm = l->fontMetrics();
        int need = 0;
        for (const QString& line : l->text().split('\n')) need = std::max(need, fm.horizontalAdvance(line));
        EXPECT_GE(room.width(), need) << at << ": " << Widget_Name(l) << " cuts its text";
        EXPECT_GE(room.height(), fm.height() * static_cast<int>(l->text().count('\n') + 1)) << at << ": " << Widget_Name(l) << " is too low";
      }
    } else if (auto* b = qobject_cast<QPushButton*>(k)) {
      EXPECT_GE(b->width(), b->fontMetrics().horizontalAdvance(b->text()) + 4) << at << ": " << Widget_Name(b) << " cuts its text";
    } else if (qobject_cast<QCheckBox*>(k) || qobject_cast<QRadioButton*>(k)) {
      if (!static_cast<QAbstractButton*>(k)->text().isEmpty()) {
        EXPECT_GE(k->width(), k->sizeHint().width()) << at << ": " << Widget_Name(k) << " cuts its text";
      }
    } else if (auto* g = qobject_cast<QGroupBox*>(k)) {
      if (!g->title().isEmpty()) {
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.subControls = QStyle::SC_GroupBoxLabel;
        opt.textAlignment = g->alignment();
        const QRect label = g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        // The style may draw the title in a bolder font than the box's own.
        QFont bold = g->font();
        bold.setBold(true);
        const int need = QFontMetrics(bold).horizontalAdvance(g->title().trimmed());
        EXPECT_LE(label.left() + need, g->width()) << at << ": " << Widget_Name(g) << " cuts its title";
      }
      Check_Controls(g, at);
    } else if (auto* c = qobject_cast<QComboBox*>(k)) {
      EXPECT_GE(c->width(), Combo_Need(c, c->currentText())) << at << ": " << Widget_Name(c) << " cuts its text";
      Check_Popup(c, at);
    } else if (auto* s = qobject_cast<QScrollArea*>(k)) {
      // The window opens at its controls' extent whenever there is room,
      // so its own scroll bars never show there.
      EXPECT_FALSE(s->horizontalScrollBar()->isVisible()) << at << ": the window scrolls sideways";
      EXPECT_FALSE(s->verticalScrollBar()->isVisible()) << at << ": the window scrolls up and down";
      if (s->widget()) Check_Controls(s->widget(), at);
    } else if (auto* grid = qobject_cast<Vb_Grid*>(k)) {
      Check_Grid(grid, at);
    } else if (QString(k->metaObject()->className()) == "QWidget" || qobject_cast<QFrame*>(k)) {
      if (!qobject_cast<QAbstractScrollArea*>(k)) Check_Controls(k, at);
    }
  }
}

// A list the window floats over a grid cell shows every item it offers
// whole, however narrow the cell.
void Check_Floating_Lists(QWidget* form, const std::string& at) {
  for (Vb_Grid* g : form->findChildren<Vb_Grid*>()) {
    if (!g->isVisible()) continue;
    for (int c = g->Fixed_Cols(); c < g->Cols(); ++c) {
      g->Click_Cell(1, c);
      Let_Events_Run(1);
      for (Vb_Combo* list : form->findChildren<Vb_Combo*>()) {
        if (!list->isVisible() || list->parentWidget() != g->parentWidget()) continue;
        if (!list->geometry().intersects(g->geometry())) continue;
        const std::string where = at + QString(": list over column %1 (\"%2\")").arg(c).arg(g->Text_At(0, c)).toStdString();
        for (int i = 0; i < list->count(); ++i)
          EXPECT_GE(list->width(), Combo_Need(list, list->itemText(i)))
              << where << ": " << Widget_Name(list) << " cuts item \"" << list->itemText(i).toStdString() << "\"";
        EXPECT_GE(list->width(), Combo_Need(list, list->currentText())) << where << ": " << Widget_Name(list) << " cuts its text";
        Check_Popup(list, where);
      }
    }
  }
}

struct Window_Case {
  const char* name;
  Vb_Form* (*open)(MDImain*);
  Vb_TabStrip* (*tabs)(Vb_Form*);
  QWidget* (*password)(Vb_Form*);
};

template <class T>
Vb_TabStrip* Tabs_Of(Vb_Form* f) {
  return static_cast<T*>(f)->TabStrip1;
}
template <class T>
QWidget* Password_Of(Vb_Form* f) {
  return static_cast<T*>(f)->Text_PassWord;
}

const Window_Case Windows[] = {
    {"FM", [](MDImain* m) -> Vb_Form* { m->fm_chann_edit_Click(); return Forms::Find<frm_FM>(); }, nullptr,
     Password_Of<frm_FM>},
    {"channel", [](MDImain* m) -> Vb_Form* { m->chann_edit_Click(); return Forms::Find<frm_chann>(); }, nullptr,
     Password_Of<frm_chann>},
    {"option", [](MDImain* m) -> Vb_Form* { m->sys_edit_Click(); return Forms::Find<frm_option>(); }, nullptr,
     Password_Of<frm_option>},
    {"DTMF", [](MDImain* m) -> Vb_Form* { m->Sig_dtmf_Click(); return Forms::Find<frm_dtmf>(); }, nullptr,
     Password_Of<frm_dtmf>},
    {"2-tone", [](MDImain* m) -> Vb_Form* { m->Sig_2tone_Click(); return Forms::Find<frm_2tone>(); },
     Tabs_Of<frm_2tone>, Password_Of<frm_2tone>},
    {"5-tone", [](MDImain* m) -> Vb_Form* { m->Sig_5tone_Click(); return Forms::Find<frm_5tone>(); },
     Tabs_Of<frm_5tone>, Password_Of<frm_5tone>},
    {"alignment", [](MDImain* m) -> Vb_Form* { m->frm_adj_Click(); return Forms::Find<frm_Adj_Txp>(); },
     Tabs_Of<frm_Adj_Txp>, nullptr},
};
}  // namespace

TEST(EditorLayout, EveryWindowShowsItsTextsGridsAndListsWholeOnBothScreensInBothLanguages) {
  On_Both_Screens_In_Both_Languages([](MDImain* m, const std::string& case_name) {
    for (const Window_Case& wc : Windows) {
      const std::string at_window = std::string(wc.name) + " at " + case_name;
      Vb_Form* f = wc.open(m);
      Let_Events_Run();
      ASSERT_NE(f, nullptr) << at_window;
      ASSERT_NE(f->Host(), nullptr) << at_window;
      // The window stands whole in the main window's client area.
      QMdiArea* area = Forms::Mdi_Area();
      ASSERT_NE(area, nullptr);
      EXPECT_TRUE(area->viewport()->rect().contains(f->Host()->geometry()))
          << at_window << ": the window reaches out of the client area";
      if (wc.password) {
        EXPECT_EQ(wc.password(f)->isVisible(), std::string(wc.name) == "FM")
            << at_window << ": the password box shows in the FM editor alone";
      }
      Vb_TabStrip* strip = wc.tabs ? wc.tabs(f) : nullptr;
      const int pages = strip ? strip->Tabs_Count() : 1;
      for (int tab = 1; tab <= pages; ++tab) {
        if (strip && tab > 1) strip->Click_Tab(tab);
        Let_Events_Run();
        const std::string at = at_window + (strip ? QString(", tab %1").arg(tab).toStdString() : "");
        if (strip) {
          QTabBar* bar = strip->Bar();
          for (int i = 0; i < bar->count(); ++i)
            EXPECT_LE(bar->tabRect(i).right(), bar->width()) << at << ": tab " << i << " cut";
        }
        Check_Controls(f, at);
        Check_Floating_Lists(f, at);
      }
      Forms::Unload_All();
      Let_Events_Run();
    }
  });
}
