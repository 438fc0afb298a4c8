#include "status_panels.h"

#include <array>

namespace {
std::array<QString, Status_Panel_Count + 1>& Texts() {
  static std::array<QString, Status_Panel_Count + 1> t;
  return t;
}
std::function<void(int, const QString&)>& View() {
  static std::function<void(int, const QString&)> v;
  return v;
}
}  // namespace

void Status_Set(int panel, const QString& text) {
  if (panel < 1 || panel > Status_Panel_Count) return;
  Texts()[panel] = text;
  if (View()) View()(panel, text);
}

QString Status_Text(int panel) {
  if (panel < 1 || panel > Status_Panel_Count) return QString();
  return Texts()[panel];
}

void Status_Clear_All() {
  for (int i = 1; i <= Status_Panel_Count; ++i) Status_Set(i, QString());
}

void Status_Set_View(std::function<void(int, const QString&)> view) { View() = std::move(view); }
