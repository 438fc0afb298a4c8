// The alignment editor's pages show every text whole, on the smallest screen
// the program supports as on the one it is made for, in both languages.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>

#include "editors/alignment/frm_adj_txp.h"
#include "support/app_fixture.h"

namespace {
// What a control needs to show its text whole, or nothing for a control
// whose text this check does not measure.
std::optional<int> Width_Needed(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w)) {
    const QMargins m = l->contentsMargins();
    return l->fontMetrics().horizontalAdvance(l->text()) + m.left() + m.right() + 2 * l->margin();
  }
  // A button's and a group box's own size hints are their text plus the
  // style's margins around it.
  if (qobject_cast<const QAbstractButton*>(w)) return w->sizeHint().width();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) {
    if (g->title().isEmpty()) return std::nullopt;
    return g->minimumSizeHint().width();
  }
  return std::nullopt;
}

// Every visible control of the window below `parent` shows its text whole,
// and no two visible siblings cover each other.
void Check_Fits(QWidget* parent, const QWidget* strip, const std::string& at) {
  std::vector<QWidget*> kids;
  for (QWidget* k : parent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (!k->isWindow() && k->isVisible()) kids.push_back(k);
  for (QWidget* k : kids) {
    if (auto need = Width_Needed(k)) {
      EXPECT_GE(k->width(), *need) << at << ": " << Widget_Name(k) << " cuts its text";
    }
    if (qobject_cast<QLabel*>(k)) {
      EXPECT_GE(k->contentsRect().height(), k->fontMetrics().height()) << at << ": " << Widget_Name(k) << " is too low";
    }
  }
  for (size_t i = 0; i < kids.size(); ++i)
    for (size_t j = i + 1; j < kids.size(); ++j) {
      // The page frames lie over the tab strip's client area by design.
      if (kids[i] == strip || kids[j] == strip) continue;
      EXPECT_FALSE(kids[i]->geometry().intersects(kids[j]->geometry()))
          << at << ": " << Widget_Name(kids[i]) << " overlaps " << Widget_Name(kids[j]);
    }
  for (QWidget* k : kids)
    if (qobject_cast<QGroupBox*>(k)) Check_Fits(k, strip, at);
}
}  // namespace

TEST(AdjLayout, EveryPageShowsItsTextsWholeOnBothScreensInBothLanguages) {
  On_Both_Screens_In_Both_Languages([](MDImain* w, const std::string& case_name) {
    w->frm_adj_Click();
    Let_Events_Run();
    auto* f = Forms::Find<frm_Adj_Txp>();
    ASSERT_NE(f, nullptr);
    // The band-limit page the window opens on, then every tab as a user
    // clicks it.
    for (int tab : {0, 1, 2, 3, 4, 5}) {
      if (tab) f->TabStrip1->Click_Tab(tab);
      Let_Events_Run();
      const std::string at = case_name + QString(", tab %1").arg(tab).toStdString();
      Check_Fits(f, f->TabStrip1, at);
      for (QWidget* k : f->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!k->isWindow() && k->isVisible()) {
          EXPECT_TRUE(f->rect().contains(k->geometry())) << at << ": " << Widget_Name(k) << " is cut by the window";
        }
      QTabBar* bar = f->TabStrip1->Bar();
      for (int i = 0; i < bar->count(); ++i) {
        EXPECT_LE(bar->tabRect(i).right(), bar->width()) << at << ": tab " << i;
        EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i))) << at;
      }
    }
  });
}
