#pragma once
// The text of the program's number files (image, alignment and signalling
// files): whole numbers separated by blanks, tabs, commas and line ends.

#include <QByteArray>
#include <QString>

// Appends one number as the files hold it: a blank or a minus sign, the
// digits, a blank.
void Put_Number(QByteArray& out, int v);

// Splits a number file into its tokens, counting lines as it goes (CR LF,
// a lone CR and a lone LF each end one line). A UTF-8 byte-order mark in
// front is skipped; blanks, line ends and end-of-file marks (0x1A, which old
// editors append) at the end are no tokens.
class Number_Scanner {
public:
  explicit Number_Scanner(const QByteArray& text);
  // The next token; false at the end.
  bool Next(QByteArray* token);
  // The line of the last token (1-based); at the end, the last line.
  int Line() const { return line_; }

private:
  const QByteArray text_;  // shared, not copied
  int i_ = 0;
  int n_ = 0;
  int line_ = 1;
};

// An optional sign and decimal digits, nothing else (a NUL or a stray
// character inside a token makes it no number).
bool Integer_Token(const QByteArray& tok, long* v);

// The most characters a shown token takes, its ellipsis not counted: a
// token is one word the message box cannot break, and the whole message
// has to fit.
constexpr int Shown_Token_Chars = 24;

// A token as a message shows it: printable ASCII as it is, every other byte
// as \xNN; a longer one is cut (never inside an \xNN) and ends in "…".
QString Shown_Token(const QByteArray& tok);
