#include "port_table.h"

#include <QMap>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>

namespace {
QMap<int, QString>& Overrides() {
  static QMap<int, QString> m;
  return m;
}

// Sort key: the device's name without its trailing number, then the number.
std::pair<QString, long> Natural_Key(const QString& path) {
  static const QRegularExpression tail("^(.*?)(\\d+)$");
  const auto m = tail.match(path);
  if (!m.hasMatch()) return {path, -1};
  return {m.captured(1), m.captured(2).toLong()};
}
}  // namespace

QStringList Port_System_Devices() {
  QStringList out;
#ifdef Q_OS_WIN
  for (int n = 1; n <= Port_Max; ++n) out << QString("COM%1").arg(n);
#else
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    out << info.systemLocation();
  std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
    return Natural_Key(a) < Natural_Key(b);
  });
  out.removeDuplicates();
#endif
  return out;
}

QString Port_Device(int n) {
  if (n < 1 || n > Port_Max) return QString();
  if (Overrides().contains(n)) return Overrides().value(n);
  const QByteArray env = qgetenv(QString("CVR47X_COM%1").arg(n).toLatin1().constData());
  if (!env.isEmpty()) return QString::fromLocal8Bit(env);
#ifdef Q_OS_WIN
  return QString("COM%1").arg(n);
#else
  const QStringList devices = Port_System_Devices();
  return n <= devices.size() ? devices.at(n - 1) : QString();
#endif
}

void Port_Table_Set(int n, const QString& device) {
  if (device.isEmpty())
    Overrides().remove(n);
  else
    Overrides()[n] = device;
}

void Port_Table_Clear() { Overrides().clear(); }
