// The DTMF and 2-tone editors inside the started program: opened from the
// Signal menu, sized from the main window, every control inside its parent.
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QScrollBar>

#include "editors/signalling/frm_2tone.h"
#include "editors/signalling/dtmf_area.h"
#include "editors/signalling/frm_dtmf.h"
#include "platform/vb_grid.h"
#include "platform/twips.h"
#include "platform/vb_form.h"
#include "platform/vb_tabstrip.h"
#include "support/app_fixture.h"
#include "support/grid_input.h"

namespace {
// The first control (visible or not) that sticks out of its parent.
QString First_Outside(QWidget* top) {
  for (QWidget* w : top->findChildren<QWidget*>()) {
    QWidget* p = w->parentWidget();
    if (!p || w->isWindow() || !w->isVisibleTo(top) || p->inherits("QComboBox") || p->inherits("QAbstractScrollArea") ||
        p->inherits("QTabBar") || w->inherits("QScrollBar"))
      continue;
    if (!p->rect().contains(w->geometry()))
      return QString("%1 '%2' (%3,%4 %5x%6) in %7 %8x%9")
          .arg(w->metaObject()->className())
          .arg(w->property("text").toString())
          .arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height())
          .arg(p->metaObject()->className())
          .arg(p->width()).arg(p->height());
  }
  return QString();
}
}  // namespace

class Sig2Windows : public Program_Test {};

TEST_F(Sig2Windows, SignalMenuOpensEachEditorOnceSizedFromTheMainWindow) {
  for (int lang : {0, -1}) {
    Lang_Flag = static_cast<int16_t>(lang);
    struct Case { std::function<void()> open; std::function<Vb_Form*()> find; double wdiv, hdiv; } cases[] = {
        {[&] { w->Sig_dtmf_Click(); }, [] { return static_cast<Vb_Form*>(Forms::Find<frm_dtmf>()); }, 1.4, 1.55},
        {[&] { w->Sig_2tone_Click(); }, [] { return static_cast<Vb_Form*>(Forms::Find<frm_2tone>()); }, 1.2, 1.25},
    };
    for (const auto& c : cases) {
      c.open();
      Vb_Form* f = c.find();
      ASSERT_NE(f, nullptr);
      ASSERT_NE(f->Host(), nullptr) << "a child window of the main frame";
      const QSize outer = f->Host()->size();
      EXPECT_NEAR(outer.width(), Twips_To_Px(Px_To_Twips(w->frameGeometry().width()) / c.wdiv), 2);
      EXPECT_NEAR(outer.height(), Twips_To_Px(Px_To_Twips(w->frameGeometry().height()) / c.hdiv), 2);
      EXPECT_EQ(First_Outside(f).toStdString(), "") << lang;
      c.open();
      EXPECT_EQ(c.find(), f) << "a second open keeps the window";
      f->Unload();
      Let_Events_Run();
    }
  }
  EXPECT_TRUE(rec.calls.empty());
}

TEST_F(Sig2Windows, DtmfRedrawsWhenActivatedThe2ToneEditorDoesNot) {
  w->Sig_dtmf_Click();
  w->Sig_2tone_Click();
  auto* d = Forms::Find<frm_dtmf>();
  auto* t = Forms::Find<frm_2tone>();
  ASSERT_TRUE(d && t);
  Let_Events_Run();
  // An image file loaded meanwhile.
  Dtmf_RowPut(656, "123");
  Radio_Image[720][0] = 0x2C;
  Radio_Image[720][1] = 0x01;
  auto* area = qobject_cast<QMdiSubWindow*>(d->Host())->mdiArea();
  area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(d->Host()));
  Let_Events_Run();
  EXPECT_EQ(d->Text_tx_Encode[0]->Text(), "123");
  area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(t->Host()));
  Let_Events_Run();
  EXPECT_EQ(t->MSF_Encode->Text_At(1, 1), "1981.0");
}

TEST_F(Sig2Windows, BothGridsShowTheHeaderAndAllFifteenCodesAtOnce) {
  for (int lang : {0, -1}) {
    Lang_Flag = static_cast<int16_t>(lang);
    w->Sig_2tone_Click();
    auto* t = Forms::Find<frm_2tone>();
    ASSERT_NE(t, nullptr);
    t->TabStrip1->Click_Tab(2);  // the decode grid shown as well
    t->Frame_Encode->show();
    Let_Events_Run();
    for (Vb_Grid* g : {t->MSF_Encode, t->MSF_Decode}) {
      EXPECT_EQ(g->verticalScrollBar()->maximum(), 0) << lang << ": no code is left to scroll to";
      for (int r = 1; r <= 15; ++r) EXPECT_TRUE(Row_Shown_Whole(g, r)) << lang << ": code " << r;
      EXPECT_GE(g->rowHeight(0), g->fontMetrics().height()) << "a row holds a line of text";
    }
    t->Unload();
    Let_Events_Run();
  }
}
