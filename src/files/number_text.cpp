#include "number_text.h"

namespace {
bool Is_Separator(char ch) {
  return ch == ' ' || ch == '\t' || ch == ',' || ch == '\r' || ch == '\n';
}
constexpr char kEof_Mark = 0x1A;
constexpr int kMax_Digits = 18;  // still inside a long
}  // namespace

void Put_Number(QByteArray& out, int v) {
  out += v < 0 ? "-" : " ";
  out += QByteArray::number(v < 0 ? -static_cast<long>(v) : static_cast<long>(v));
  out += ' ';
}

Number_Scanner::Number_Scanner(const QByteArray& text) : text_(text) {
  if (text_.startsWith("\xEF\xBB\xBF")) i_ = 3;
  n_ = static_cast<int>(text_.size());
  while (n_ > i_ && (Is_Separator(text_[n_ - 1]) || text_[n_ - 1] == kEof_Mark)) --n_;
}

bool Number_Scanner::Next(QByteArray* token) {
  while (i_ < n_ && Is_Separator(text_[i_])) {
    const char ch = text_[i_];
    if (ch == '\n' || (ch == '\r' && (i_ + 1 >= n_ || text_[i_ + 1] != '\n'))) ++line_;
    ++i_;
  }
  if (i_ >= n_) return false;
  int j = i_;
  while (j < n_ && !Is_Separator(text_[j])) ++j;
  *token = text_.mid(i_, j - i_);
  i_ = j;
  return true;
}

bool Integer_Token(const QByteArray& tok, long* v) {
  int i = 0;
  if (i < tok.size() && (tok[i] == '-' || tok[i] == '+')) ++i;
  if (i >= tok.size() || tok.size() - i > kMax_Digits) return false;
  for (int j = i; j < tok.size(); ++j)
    if (tok[j] < '0' || tok[j] > '9') return false;
  bool ok = false;
  *v = tok.toLong(&ok, 10);
  return ok;
}

QString Shown_Token(const QByteArray& tok) {
  QString s;
  for (char ch : tok) {
    const auto b = static_cast<unsigned char>(ch);
    const QString shown = b >= 0x20 && b < 0x7F ? QString(QChar(b))
                                                : "\\x" + QString::number(b, 16).toUpper().rightJustified(2, '0');
    if (s.size() + shown.size() > Shown_Token_Chars) return s + QChar(0x2026);
    s += shown;
  }
  return s;
}
