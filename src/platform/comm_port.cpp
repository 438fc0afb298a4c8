#include "comm_port.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <climits>

#include "port_table.h"

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace {
QSet<QString>& Held_Devices() {
  static QSet<QString> s;
  return s;
}

// When a byte last went either way on each device's line.
QHash<QString, qint64>& Line_Traffic() {
  static QHash<QString, qint64> h;
  return h;
}

qint64 Now_Ms() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return clock.elapsed();
}
}  // namespace

Comm_Port::Comm_Port(QObject* parent) : QObject(parent) {
  connect(&serial_, &QSerialPort::readyRead, this, &Comm_Port::On_Ready_Read);
  connect(&serial_, &QSerialPort::errorOccurred, this, &Comm_Port::On_Error);
  dispatch_timer_.setSingleShot(true);
  dispatch_timer_.setTimerType(Qt::PreciseTimer);
  connect(&dispatch_timer_, &QTimer::timeout, this, &Comm_Port::Dispatch);
}

Comm_Port::~Comm_Port() { Close(); }

bool Comm_Port::Apply_Settings() {
  const QStringList parts = settings_.split(',');
  if (parts.size() != 4) return false;
  bool ok = false;
  const int baud = parts[0].trimmed().toInt(&ok);
  if (!ok) return false;
  QSerialPort::Parity parity = QSerialPort::NoParity;
  const QString p = parts[1].trimmed().toUpper();
  if (p == "E") parity = QSerialPort::EvenParity;
  else if (p == "O") parity = QSerialPort::OddParity;
  else if (p != "N") return false;
  const int bits = parts[2].trimmed().toInt();
  const int stop = parts[3].trimmed().toInt();
  // A pseudo-terminal (the simulated radio) takes any of these; a failure to
  // set them there is not fatal, on a real port it is.
  const bool a = serial_.setBaudRate(baud);
  const bool b = serial_.setParity(parity);
  const bool c = serial_.setDataBits(static_cast<QSerialPort::DataBits>(bits));
  const bool d = serial_.setStopBits(stop == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  serial_.setFlowControl(QSerialPort::NoFlowControl);
  return (a && b && c && d) || device_.startsWith("/dev/pts/");
}

bool Comm_Port::Open(QString* why) {
  if (serial_.isOpen()) {
    if (why) *why = "port already open";
    return false;
  }
  const QString dev = Port_Device(port_number_);
  if (dev.isEmpty()) {
    if (why) *why = QString("COM%1 maps to no device").arg(port_number_);
    return false;
  }
  if (Held_Devices().contains(dev)) {
    if (why) *why = dev + " is held by another window";
    return false;
  }
  serial_.setPortName(dev);
  device_ = dev;
  if (!serial_.open(QIODevice::ReadWrite)) {
    if (why) *why = serial_.errorString();
    device_.clear();
    return false;
  }
  if (!Apply_Settings()) {
    if (why) *why = "line settings refused: " + serial_.errorString();
    serial_.close();
    device_.clear();
    return false;
  }
  serial_.clear();
  ++opens_;
  loss_scheduled_ = false;
  Held_Devices().insert(dev);
  in_.clear();
  pending_events_ = 0;
  return true;
}

void Comm_Port::Close() {
  if (serial_.isOpen()) serial_.close();
  if (!device_.isEmpty()) Held_Devices().remove(device_);
  device_.clear();
  in_.clear();
  pending_events_ = 0;
  hold_until_ms_ = 0;
  dispatch_timer_.stop();
}

int Comm_Port::Discard_Input() {
  if (serial_.isOpen()) {
    // Take in whatever the system has already received, then drop it all.
    On_Ready_Read();
    serial_.clear(QSerialPort::Input);
  }
  const int dropped = static_cast<int>(in_.size());
  in_.clear();
  return dropped;
}

void Comm_Port::Discard_Output() {
  if (serial_.isOpen()) serial_.clear(QSerialPort::Output);
}

int Comm_Port::Read_Byte() {
  if (in_.empty()) return -1;
  const int b = in_.front();
  in_.pop_front();
  return b;
}

void Comm_Port::Output(const uint8_t* data, int n) {
  if (!serial_.isOpen() || n <= 0) return;
  serial_.write(reinterpret_cast<const char*>(data), n);
  serial_.flush();
  bytes_out_ += n;
  Line_Traffic()[device_] = Now_Ms();
}

void Comm_Port::Hold_Receive(int ms) {
  hold_until_ms_ = std::max(hold_until_ms_, Now_Ms() + ms);
}

bool Comm_Port::Holding() const { return Now_Ms() < hold_until_ms_; }

int Comm_Port::Hold_Left_Ms() const {
  return static_cast<int>(std::max<qint64>(0, hold_until_ms_ - Now_Ms()));
}

void Comm_Port::Release_Hold() {
  hold_until_ms_ = 0;
  dispatch_timer_.stop();
  if (pending_events_ > 0) Schedule_Dispatch();
}

int Comm_Port::Line_Quiet_Ms() const {
  if (!serial_.isOpen()) return INT_MAX;
  const auto it = Line_Traffic().constFind(device_);
  if (it == Line_Traffic().constEnd()) return INT_MAX;
  return static_cast<int>(std::min<qint64>(INT_MAX, Now_Ms() - it.value()));
}

void Comm_Port::On_Ready_Read() {
  if (!serial_.isOpen()) return;
  const QByteArray data = serial_.readAll();
  if (data.isEmpty()) return;
  bytes_in_ += data.size();
  Line_Traffic()[device_] = Now_Ms();
  for (char ch : data) {
    if (static_cast<int>(in_.size()) >= in_buffer_size_) break;  // buffer full: byte lost
    in_.push_back(static_cast<uint8_t>(ch));
    ++pending_events_;
  }
  Schedule_Dispatch();
}

bool Comm_Port::Device_Gone(QSerialPort::SerialPortError error) const {
#ifdef Q_OS_UNIX
  // A hung-up line reads as the end of the file (or fails with EIO) for
  // ever, and the serial port tries again at every turn of the event loop.
  // A failed read or write of a line still there is left to the reply
  // watchdog; the line itself says which it is.
  if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
      error != QSerialPort::WriteError)
    return false;
  pollfd p{static_cast<int>(serial_.handle()), POLLIN, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
#else
  return error == QSerialPort::ResourceError;
#endif
}

void Comm_Port::On_Error(QSerialPort::SerialPortError error) {
  if (!serial_.isOpen() || loss_scheduled_ || !Device_Gone(error)) return;
  // Not closed here, inside the serial port's own notification, but as soon
  // as that has returned.
  loss_scheduled_ = true;
  QMetaObject::invokeMethod(this, [this, open = opens_] {
    if (open != opens_ || !serial_.isOpen()) return;  // closed, perhaps opened again, meanwhile
    loss_scheduled_ = false;
    Close();
    if (On_Lost) On_Lost();
  }, Qt::QueuedConnection);
}

void Comm_Port::Schedule_Dispatch(int delay_ms) {
  if (delay_ms > 0) {
    if (!dispatch_timer_.isActive() || dispatch_timer_.remainingTime() > delay_ms)
      dispatch_timer_.start(delay_ms);
    return;
  }
  if (dispatch_scheduled_) return;
  dispatch_scheduled_ = true;
  QMetaObject::invokeMethod(this, [this] {
    dispatch_scheduled_ = false;
    Dispatch();
  }, Qt::QueuedConnection);
}

void Comm_Port::Dispatch() {
  if (in_handler_) return;  // the running handler's caller goes on after it
  QPointer<Comm_Port> self(this);
  while (pending_events_ > 0 && serial_.isOpen()) {
    if (Holding()) {
      Schedule_Dispatch(static_cast<int>(hold_until_ms_ - Now_Ms()) + 1);
      return;
    }
    --pending_events_;
    in_handler_ = true;
    if (On_Comm) On_Comm();
    if (!self) return;
    in_handler_ = false;
  }
  if (!serial_.isOpen()) pending_events_ = 0;
}
