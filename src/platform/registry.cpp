#include "registry.h"

#ifdef Q_OS_WIN
#include <QSettings>
#endif

bool Registry_Get_Machine_Value(const QString& key, const QString& value_name, QString& out) {
  out.clear();
#ifdef Q_OS_WIN
  QSettings s("HKEY_LOCAL_MACHINE\\" + key, QSettings::NativeFormat);
  const QString name = value_name.isEmpty() ? QString(".") : value_name;
  if (!s.contains(name)) return false;
  out = s.value(name).toString();
  return true;
#else
  Q_UNUSED(key);
  Q_UNUSED(value_name);
  return false;
#endif
}
