#pragma once
// A serial-port control in the manner the radio link expects: a COM number,
// the line settings, an input buffer that is read one byte at a time, a
// receive event for every byte that arrives, and discardable input and output
// counts. Backed by QSerialPort.
//
// Receive events are delivered from the event loop, one per byte received,
// and never re-enter the handler: bytes that arrive while the handler runs
// (for example with a modal message box open inside it) raise their events
// after it returns. Hold_Receive(ms) is the stand-in for a short busy-wait:
// for that long no receive event is delivered, while the rest of the program
// (window, timers) keeps running.
//
// Within one process a device is held by one port control at a time, even
// where the operating system would allow a second open.
//
// Each device's line keeps, for the whole process, when a byte last went
// either way on it through any port control: a control that opens the
// device after another closed it can tell how long the line has been quiet.
//
// A device that goes away while open (the line hangs up, the adapter is
// unplugged) is closed at once, from the event loop, and On_Lost is raised
// once: such a device stays readable for ever and every read of it fails,
// so keeping it open would only keep the window's thread busy.

#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>

class Comm_Port : public QObject {
  Q_OBJECT
public:
  explicit Comm_Port(QObject* parent = nullptr);
  ~Comm_Port() override;

  // Settings, as the program sets them before an open.
  void Set_Port_Number(int n) { port_number_ = n; }
  int Port_Number() const { return port_number_; }
  void Set_Settings(const QString& s) { settings_ = s; }  // "9600,N,8,1"
  void Set_In_Buffer_Size(int n) { in_buffer_size_ = n; }

  // Opens the device of the current port number. False (with a reason) when
  // the number maps to no device, the device is held in this process or the
  // system refuses it.
  bool Open(QString* why = nullptr);
  void Close();
  bool Is_Open() const { return serial_.isOpen(); }
  QString Device() const { return device_; }

  int In_Buffer_Count() const { return static_cast<int>(in_.size()); }
  // "bytes waiting := 0"; gives how many bytes it dropped.
  int Discard_Input();
  void Discard_Output();  // "output count := 0"
  // The next waiting byte, or -1 when none waits.
  int Read_Byte();

  void Output(const uint8_t* data, int n);
  void Output_Byte(uint8_t b) { Output(&b, 1); }

  // The receive event: raised once per byte received.
  std::function<void()> On_Comm;
  // The device went away; the port is already closed when this runs.
  std::function<void()> On_Lost;

  // Holds back receive events for ms milliseconds from now.
  void Hold_Receive(int ms);
  bool Holding() const;
  // Milliseconds until the hold ends (0 when none is running).
  int Hold_Left_Ms() const;
  // Ends a hold now; the receive events it held back follow from the event loop.
  void Release_Hold();

  // Milliseconds since a byte last went either way on the open device's
  // line, as far as this process has taken it in (a very large number when
  // none ever did, or when the port is closed).
  int Line_Quiet_Ms() const;

  // Total bytes written and received since construction (for the benchmark
  // and for tests).
  long long Bytes_Out() const { return bytes_out_; }
  long long Bytes_In() const { return bytes_in_; }

private:
  void On_Ready_Read();
  void On_Error(QSerialPort::SerialPortError error);
  bool Device_Gone(QSerialPort::SerialPortError error) const;
  void Schedule_Dispatch(int delay_ms = 0);
  void Dispatch();
  bool Apply_Settings();

  QSerialPort serial_;
  QString device_;
  int port_number_ = 1;
  QString settings_ = "9600,N,8,1";
  int in_buffer_size_ = 1024;
  std::deque<uint8_t> in_;
  long long pending_events_ = 0;
  bool in_handler_ = false;
  bool dispatch_scheduled_ = false;
  bool loss_scheduled_ = false;
  unsigned opens_ = 0;  // which open a reported loss belongs to
  qint64 hold_until_ms_ = 0;
  QTimer dispatch_timer_;
  long long bytes_out_ = 0;
  long long bytes_in_ = 0;
};
