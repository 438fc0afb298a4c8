#include "editors/channel/fm_edit.h"

#include "data/freq_codec.h"

namespace {
bool Blank(QChar ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; }
bool Digit(QChar ch) { return ch >= '0' && ch <= '9'; }
}  // namespace

QString Fm_Freq_Entry(const QString& typed) {
  QString p;
  for (const QChar ch : typed)
    if (!Blank(ch)) p += ch;
  int i = 0;
  if (i < p.size() && p[i] == '+') ++i;
  QString whole, decimals;
  while (i < p.size() && Digit(p[i])) whole += p[i++];
  if (i < p.size() && p[i] == '.') {
    ++i;
    while (i < p.size() && Digit(p[i])) decimals += p[i++];
  }
  while (whole.size() > 1 && whole.startsWith('0')) whole.remove(0, 1);
  if (whole.isEmpty()) whole = "0";
  return whole + "." + decimals.left(5).leftJustified(5, '0');
}

Fm_Commit Fm_Cell_Commit(int col, const QString& x, const QString& freq, const QString& name) {
  Fm_Commit out{freq, name, Fm_Note::None};
  if (col == Fm_Freq_Col) {
    QString packed;
    for (const QChar ch : x)
      if (!Blank(ch)) packed += ch;
    if (packed.isEmpty()) {
      out.freq.clear();
      out.name.clear();
      return out;
    }
    const double v = Typed_Val(x);
    if (v >= Fm_Freq_Low && v <= Fm_Freq_High) {
      out.freq = Fm_Freq_Entry(x);
    } else {
      out.note = Fm_Note::Freq_Range;
      out.freq = Freq_Form(Fm_Freq_Low);
    }
    return out;
  }
  if (col == Fm_Name_Col) {
    const QString m = x.trimmed();
    if (m.size() > Fm_Name_Max) out.note = Fm_Note::Name_Long;
    out.name = freq.trimmed().isEmpty() ? QString() : m.left(Fm_Name_Max).toUpper().left(Fm_Name_Max);
  }
  return out;
}

void Fm_Edit::Opened(int row, int col, const QString& cell_text) {
  Edit_Row = row;
  Edit_Col = col;
  Edit_Text = cell_text;
  Open = Fm_Editable(row, col);
}

bool Fm_Edit::Commits(int row, int col, const QString& x) const {
  return Open && Fm_Editable(row, col) && row == Edit_Row && col == Edit_Col && x != Edit_Text;
}

void Fm_Edit::Closed(int row, int col) {
  Edit_Row = row;
  Edit_Col = col;
  Open = false;
}
