#pragma once
// The transfer engine that every window talking to the radio carries: it
// opens the port, sends the connect command, checks and decodes the radio's
// identification reply, reads the password block, then reads a run of
// 64-byte blocks or writes a run of 16-byte rows, each paced by the radio's
// replies; it watches every reply with a time-out, restarts the exchange a
// limited number of times and reports the outcome in its window.
//
// A window configures its engine with a Link_Profile; windows whose exchange
// departs from the common one further override the engine's phases.
//
// Everything runs on the user-interface thread: timer ticks and receive
// events, one at a time.

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>
#include <vector>

#include "link/link_texts.h"
#include "link/link_timing.h"
#include "platform/comm_port.h"
#include "platform/vb_timer.h"

class QLabel;
class QProgressBar;
class Link_Engine;

enum class Ident_Ack_Mode {
  None,      // nothing sent after the identification reply
  Separate,  // 0x06 at once, then a pause
  Leading,   // the 0x06 goes out as the first byte of the first data frame
};
enum class Pass_Mode {
  None,      // no password phase
  Read,      // the block is read; the transfer goes on whatever was typed
  Enforced,  // a typed password that matches neither stored one stops it
};
enum class Pass_Ack_Mode {
  Separate,  // 0x06 at once, then a pause
  Leading,   // 0x06 as the first byte of the first read request
};
enum class Ident_Decode_Mode {
  Full,                   // four limit pairs; panel 4 emptied
  Three_Pairs_With_Text,  // three pairs; panel 14 untouched; 10 characters in panel 4
};

// Where a final failure is reported.
struct Fail_Report {
  bool message = true;         // the failure message box
  bool bar_zero = true;        // progress bar to 0 (left visible)
  bool label = true;           // the failure text in the window's label
  bool panel2 = false;         // main status-bar panel 2
  bool hide_bar_first = false; // bar 0 and hidden, label emptied, busy cleared, then the message
  bool main_panels = false;    // main status-bar panels 3 and 4 (the main window)
};

struct Link_Texts {
  Zh_En busy = link_text::Busy;
  Zh_En busy_title = link_text::Title_Lower;
  Zh_En connecting = link_text::Connecting;
  Zh_En reading_pre = link_text::Reading_Pre;
  Zh_En reading_post = link_text::Reading_Post;
  Zh_En writing_pre = link_text::Writing_Pre;
  Zh_En writing_post = link_text::Writing_Post;
  Zh_En read_done{"从对讲机中读取数据完毕 ！", "Complete reading data from the transceiver."};
  Zh_En read_done_title = link_text::Title_Lower;
  Zh_En read_label{"数据读出正常 ！", "Read Data is Ok ！"};
  Zh_En write_done{"向对讲机写入数据完毕 ！", "Complete Written the data to transceiver."};
  Zh_En write_done_title = link_text::Title_Lower;
  Zh_En write_label{"参数写入完毕 ！", "Data Writed ！"};
  Zh_En fail = link_text::Fail;
  Zh_En fail_title = link_text::Title_Lower;
  Zh_En fail_label = link_text::Fail_Label;
  Zh_En port_error = link_text::Port_Error_Reference;
  Zh_En port_title = link_text::Title_Lower;
  Zh_En pass_error = link_text::Pass_Error;
  Zh_En pass_title = link_text::Title_Upper;
};

constexpr int No_Retry = -1;

struct Link_Profile {
  // Addresses and counts.
  int Read_Base = 0;
  int Read_Last = 0;   // a read ends once the reply numbered Read_Last + 1 is stored
  int Read_First = 2;  // number given to the reply of the first read request
  int Write_Base = 0;
  int Write_First = 0;
  int Write_Count = 0;  // Block_No value at which a write ends
  // Retries: restarts after a time-out, or No_Retry (the first time-out is final).
  int Retry_Read = 3;
  int Retry_Write = 3;
  int Retry_Delay = 3000;  // ms from the time-out to the restart
  // Handshake.
  Ident_Ack_Mode Ident_Ack = Ident_Ack_Mode::Separate;
  int Ident_Pause_Ms = link_timing::Pause_Long_Ms;
  Pass_Mode Pass = Pass_Mode::Read;
  Pass_Ack_Mode Pass_Ack = Pass_Ack_Mode::Separate;
  int Pass_Pause_Ms = link_timing::Pause_Short_Ms;
  Ident_Decode_Mode Decode = Ident_Decode_Mode::Full;
  // Display order.
  bool Progress_After_Advance = false;  // read progress shows the advanced block number
  bool Read_End_Display_First = false;  // bar 100 and the label before the message box
  int Write_Label_Offset = 0;           // the write label's number is Block_No + this
  // Sending.
  bool Discard_Output_On_Open = false;
  int Pump_Start_Ms = link_timing::Pump_Start_Ms;  // from Send_Start to the first tick of the send pump
  int Pump_Byte_Tick_Ms = 0;       // 0: a whole frame per tick; else one byte per tick, this far apart
  int Watchdog_In_Frame_Ms = 2000; // re-armed with every byte of a frame
  int Watchdog_After_Ms = 1000;    // armed after the last byte of a frame
  int Frame_Pause_Ms = 0;          // pause after every frame sent
  // The window's unpacking of the stored replies (and its redraw).
  std::function<void(Link_Engine&)> Unpack;
  // The 16 bytes of write row `block` (default: memory-image row
  // Addr_Base high byte x 16 + block, Addr_Base being the engine's own).
  std::function<std::array<uint8_t, 16>(int block)> Write_Row;
  Link_Texts Texts;
  Fail_Report Fail;
};

// Where the program learns that a transfer has begun or has ended for good:
// Changed is raised, at once, whenever Busy() of a live engine changes.
class Link_Busy_Hub : public QObject {
  Q_OBJECT
signals:
  void Changed();
};

class Link_Engine : public QObject {
  Q_OBJECT
public:
  explicit Link_Engine(const Link_Profile& profile, QObject* parent = nullptr);
  ~Link_Engine() override;

  // The window's display controls (either may be absent).
  void Set_View(QProgressBar* bar, QLabel* label);
  QProgressBar* ProgressBar1 = nullptr;
  QLabel* Label_tr_count = nullptr;

  const Link_Profile& Profile() const { return profile_; }
  Link_Profile& Profile_Mutable() { return profile_; }

  // The window's serial control and timers.
  Comm_Port MSC;
  Vb_Timer Timer1;  // send pump
  Vb_Timer Timer2;  // reply watchdog
  Vb_Timer Timer3;  // retry

  // Transfer variables.
  std::array<int16_t, 201> Tx_Buf{};
  int Tx_Len = 0;
  int Tx_Pos = 0;
  int Tx_Done = 0;
  std::array<uint8_t, 2001> Rx_Bytes{};
  int Write_Mode = 0;
  int Link_Up = 0;
  int Link_Phase = 0;
  int Block_No = 0;
  int Read_Last = 0;
  int Write_Count = 0;
  int Retry_Left = 0;
  int Busy_Write = 0;  // -1 while a write attempt runs
  int Busy_Read = 0;   // -1 while a read attempt runs
  // The base radio address of this engine's transfer (high, low). Each
  // engine has its own: no other window's exchange can move the rows a
  // running transfer asks for or sends.
  std::array<uint8_t, 2> Addr_Base{};

  // A transfer is under way from its first frame until it has ended for good:
  // while an attempt runs, and also while the retry after a time-out is
  // pending, when the attempt's flags are already clear. Every refusal and
  // every deferred request asks this, so none of them slips into that pause
  // (a file loaded there would be overwritten by the retried read).
  bool Busy() const { return Attempt_Running() || Retry_Pending(); }
  // From an attempt's connect command until its end or its time-out.
  bool Attempt_Running() const { return Busy_Write == -1 || Busy_Read == -1; }
  // Between a time-out and the restart or final failure it leads to.
  bool Retry_Pending() const { return Timer3.Enabled(); }
  // Whether a transfer of any window is under way, leaving out `besides`.
  // An exchange that gives way (the main window's identification) is no
  // transfer here.
  static bool Any_Busy(const Link_Engine* besides = nullptr);
  // Whether this engine's exchange gives way to a transfer of another
  // window: it starts only while none is under way, a transfer that starts
  // ends it first (Yield_Line), and it holds no window's rows (Area_Busy).
  virtual bool Gives_Way() const { return false; }
  // The port of this engine's transfer: Port_No as it stood at the start,
  // kept for the restarts after a time-out.
  int Transfer_Port() const { return port_; }
  // The busy message of this window's profile.
  void Show_Busy() const;

  // The radio addresses a transfer of this engine moves, as [first, end)
  // spans: by default the blocks its profile reads and the rows it writes.
  struct Span {
    int first = 0;
    int end = 0;
  };
  virtual std::vector<Span> Spans() const;
  // Whether a transfer that moves any address this engine moves is under
  // way: its own, or another window's (a whole-radio read or write). While
  // it is, the window's rows take no edit: a write would send some rows
  // from before the edit, a read would overwrite it at its end.
  bool Area_Busy() const;
  static Link_Busy_Hub* Busy_Hub();

  // Ends the transfer in its pause after a time-out: the restart it waits
  // for never comes; a pause that would end in the final failure reports
  // it now. Nothing happens outside that pause.
  void Stop_In_Pause();

  // Operations.
  // Opens `port`, which becomes the transfer's port. Every exchange that
  // gives way, this engine's own included, is ended first, as a transfer
  // that starts ends it: the port it holds may be the one asked for.
  bool Port_Open(int port);
  void Send_Start();
  virtual void Read_Start();
  virtual void Write_Start();
  void Command_read_Click();
  void Command_Write_Click();
  // The password box's change handler: the trimmed text into Pass_Typed(0..5).
  static void Text_PassWord_Change(const QString& text);
  // The character codes of a typed password: positions 0..5 blank-padded,
  // then one code per character of the trimmed text, at most `limit` of them.
  static void Password_Codes(std::array<int16_t, 17>& buf, const QString& text, int limit);

  // The position of the 'X' of a whole reply to a request for addr: 0 or 1,
  // so that all its data lie inside the bytes taken, with the header naming
  // addr (any address when addr < 0); -1 for anything else.
  template <class Byte>
  static int Whole_Reply_Mark(const Byte* reply, int addr) {
    int p = -1;
    if (reply[0] == 0x58) p = 0;
    else if (reply[1] == 0x58) p = 1;
    if (p < 0) return -1;
    if (addr >= 0 && ((reply[p + 1] & 0xFF) << 8 | (reply[p + 2] & 0xFF)) != addr) return -1;
    return p;
  }

  // Stops everything for good: timers off, port closed; later events are
  // ignored. The window calls it when it is unloaded.
  void Shut_Down();
  bool Dead() const { return dead_; }

  // Unpacking helpers: the data start of stored reply r in Rx_Main, as the
  // reply check found it ('X' at 0 or 1, data 4 bytes after it).
  static int Reply_Data_Start(int r);
  // Copies 64 data bytes of each reply first..last into image rows from row on.
  static void Unpack_Replies(int first, int last, int row);

  // Fills one frame into Tx_Buf.
  void Frame_Set(const std::vector<uint8_t>& bytes);

  // Called by the button handlers before a start, by window-specific code.
  std::function<void()> Before_Start;
  // Called after a start from a button when the port opened.
  std::function<void()> After_Button_Start;

protected:
  virtual void Timer1_Timer();
  virtual void Timer2_Timer();
  virtual void Timer3_Timer();
  virtual void MSC_OnComm();

  // Phases of the receive handler.
  virtual void Ident_Phase();
  virtual void Pass_Phase();
  virtual void Read_Data_Phase();
  virtual void Write_Data_Phase();
  virtual void After_Ident_Valid();  // what follows a valid identification
  virtual void Data_Phase_Begin();   // first read request or first write frame
  virtual void End_Of_Read();
  virtual void End_Of_Write();
  virtual void Final_Failure();
  // The port went away during the transfer (the line hung up).
  void Port_Lost();
  // Ends this engine's exchange silently (timers off, port closed, busy
  // flags cleared), leaving its line clean for the next exchange there:
  // a frame half sent is completed, since the radio could take a fragment
  // for the start of a command, and the reply the exchange still waits for
  // is owed to the line, so that the next exchange's first frame waits for
  // it to pass and drops it.
  void Yield_Line();

  // Shared steps.
  void Start_Exchange(bool write);
  void Button_Start(bool write);
  void Decode_Ident();
  // The length of the reply the handshake phase waits for.
  int Handshake_Reply_Len() const;
  bool Take_Read_Reply(int16_t* store);
  // The port settings every open uses: COM port, 9600,N,8,1, 1024-byte input buffer.
  void Port_Setup(int port);
  // Opens the transfer's port (Transfer_Port); a failure gives the port message.
  bool Open_Transfer_Port();
  void Show_Read_Progress(int n);
  void Show_Write_Progress();
  void Next_Write_Frame(bool leading_ack);
  // Whether the pause after a time-out leads to a restart (else to the final failure).
  bool Restart_Follows() const;
  void Timers_Off();
  void Pause(int ms);
  // The enforced password check: Pass_Typed against the block just read.
  virtual bool Password_Accepted() const;
  void Bar(int value, bool visible = true);
  void Label(const QString& text);
  QString Label_Text() const;

  Link_Profile profile_;
  int expected_addr_ = -1;  // the address the outstanding read request asked for
  bool dead_ = false;
  int port_ = 0;             // the port of the transfer (Transfer_Port)
  bool restarting_ = false;  // set for the start that restarts after a time-out

private:
  // Raises Busy_Hub()->Changed when the engine's busy state differs at the
  // end of an event or call from what it was at its start.
  class Busy_Watch;
  bool Live_Busy() const { return !dead_ && Busy(); }
  // Ends the exchange of every engine that gives way (Yield_Line), nothing
  // reported.
  void Take_Over_Port();
  // The rest of the frame in Tx_Buf onto the line, the watchdog re-armed
  // with every byte.
  void Send_Rest();
  // Whether the first frame on this line must still wait for a reply owed
  // to it (Yield_Line). While it must, what comes is dropped and no receive
  // event is delivered; a reply that has all come leaves the radio the
  // pump's start interval before the frame.
  bool Line_Owed();
};
