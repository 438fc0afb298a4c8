#include "editors/alignment/adj_area.h"

#include "data/shared_state.h"
#include "editors/factory_codes.h"

namespace {
void Row_Fill(int row, int value) {
  for (int c = 0; c < 16; ++c) Adj_Default[row][c] = static_cast<int16_t>(value);
}

void Row_Put(int row, const int (&cells)[16]) {
  for (int c = 0; c < 16; ++c) Adj_Default[row][c] = static_cast<int16_t>(cells[c]);
}

void Password_Put(int first_cell, const char* digits) {
  for (int i = 0; i < Pass_Len; ++i)
    Adj_Default[Pass_Row][first_cell + i] = static_cast<int16_t>(digits[i]);
}
}  // namespace

void Adj_DefaultFill() {
  Sql_Rows = {8, 10, 12, 14, 9, 11, 13, 15};
  for (auto& row : Adj_Default) row.fill(0);

  constexpr int kHigh[Adj_Bands] = {60, 50, 40, 63};
  constexpr int kLow[Adj_Bands] = {30, 20, 10, 15};
  for (int b = 0; b < Adj_Bands; ++b) {
    Row_Fill(Adj_High_Power_Row + b, kHigh[b]);
    Row_Fill(Adj_Low_Power_Row + b, kLow[b]);
  }

  Row_Put(Sql_Rows[0], {38, 35, 36, 37, 38, 39, 41, 43, 45, 48, 48, 48, 48, 48, 48, 48});
  for (int b = 1; b < Adj_Bands; ++b)
    Row_Put(Sql_Rows[b], {38, 31, 32, 33, 34, 35, 36, 37, 39, 41, 41, 41, 41, 41, 41, 41});
  Row_Put(Sql_Rows[4], {8, 8, 8, 5, 5, 5, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0});
  for (int b = 1; b < Adj_Bands; ++b)
    Row_Put(Sql_Rows[4 + b], {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});

  Row_Put(Adj_Setting_Row, {60, 21, 16, 9, 15, 15, 15, 12, 12, 2, 2, 2, 3, 50, 0, 0});

  // 136..179 MHz for VHF and UHF0, 400..480 MHz for UHF1 and UHF2, transmit allowed.
  constexpr int kVhfLimits[16] = {1, 3, 6, 1, 7, 9, 0, 1};
  constexpr int kUhfLimits[16] = {4, 0, 0, 4, 8, 0, 0, 1};
  for (int b = 0; b < Adj_Bands; ++b) Row_Put(Adj_Limit_Row + b, b < 2 ? kVhfLimits : kUhfLimits);

  Password_Put(Pass_User, Factory::Adj_User_Password);
  Password_Put(Pass_Super, Factory::Adj_Super_Password);
}

QString Chr_Allowed(uint8_t code) {
  const bool allowed = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
                       code == '+' || code == '-' || code == ' ';
  return allowed ? QString(QChar(code)) : QString();
}

uint8_t Asc_Allowed(const QString& ch) {
  if (ch.size() != 1) return Asc_Refused;
  const char16_t u = ch[0].unicode();
  if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || u == '+' || u == '-' || u == ' ')
    return static_cast<uint8_t>(u);
  if (u >= 'a' && u <= 'z') return static_cast<uint8_t>(u - 'a' + 'A');
  return Asc_Refused;
}
