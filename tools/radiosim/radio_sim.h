#pragma once
// A simulated CV-R47X on a Linux pseudo-terminal. It answers the programming
// protocol of src/link/protocol.h, so the program (and its tests) can drive
// the real serial code through a real tty:
//
//   radiosim::Radio_Sim sim;
//   sim.Start();                           // opens /dev/pts/N, starts answering
//   setenv("CVR47X_COM1", sim.Tty_Path().c_str(), 1);
//   sim.Add_Fault({.kind = radiosim::Fault::Garbage,
//                  .on = radiosim::Reply::Data, .nth = 5});
//
// The radio runs on a thread of its own, so it keeps answering while the
// caller's Qt event loop runs; every accessor is thread-safe.
//
// What it understands (everything else is dropped and counted as ignored):
//   connect command (8 bytes)  -> identification reply (50 bytes), at any time;
//                                 it starts a new session
//   0x06                       -> nothing (an acknowledgement; a 0x06 in front
//                                 of a request is logged as one of its own)
//   'S' hi lo 0x40             -> 0x06 'X' hi lo 0x40 + the 64 bytes at hi lo
//   'S' hi lo 0x10             -> 'X' hi lo 0x10 + the 16 bytes (password row)
//   'S' hi lo n (other n)      -> 0x06 'X' hi lo n + the n bytes (n = 1..64)
//   'X' hi lo n + n bytes      -> stores them, answers 0x06 (n = 1..64)
//   'E'                        -> ends the session, no answer
// Reads and writes are only taken inside a session (after a connect command,
// until 'E'). Addresses wrap at 16 KiB. A frame left incomplete for longer
// than the frame gap (500 ms unless set) is dropped; a connect command also
// breaks off any incomplete frame it arrives in, except a write frame whose
// header has come: that one is completed by its length, whatever its data
// bytes hold.
//
// The pseudo-terminal stays open for the simulator's life, and the simulator
// holds a slave descriptor itself, so the program may close and reopen the
// port as often as it likes. Bytes sent while nobody has the port open stay
// in the tty's input queue, as the program discards its input on each open.

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace radiosim {

using Clock = std::chrono::steady_clock;

enum class Frame_Kind { Connect, Ack, Read, Write, End, Stray };

// One frame as received.
struct Frame {
  uint64_t seq = 0;  // running number, shared with nothing else
  Frame_Kind kind = Frame_Kind::Stray;
  uint16_t addr = 0;  // Read, Write: the address of the header
  int len = 0;        // Read: the length asked for; Write: data bytes carried
  std::vector<uint8_t> raw;
  Clock::time_point first, last;  // arrival of its first and last byte
  bool ignored = false;           // made no sense when it came (not acted on)
};

// The kinds of reply, for faults and the reply log.
enum class Reply {
  Any,        // faults only: every reply
  Ident,      // to the connect command
  Pass,       // to a 16-byte read (the password row)
  Data,       // to any other read
  Write_Ack,  // to a write frame
};

// One reply, as it went out.
struct Sent {
  uint64_t seq = 0;    // running number of replies
  uint64_t frame = 0;  // seq of the frame it answers
  Reply kind = Reply::Any;
  std::vector<uint8_t> bytes;  // what was sent; empty when withheld
  bool faulted = false;        // changed, withheld or held back by a fault, silence or Stop_After
  Clock::time_point queued;    // when the answer was decided
  Clock::time_point done;      // when its last byte was handed to the line (queued if empty)
};

// A fault applied to replies of one kind. nth counts the replies of that kind
// the radio would send from the moment the fault is added: nth = 1 is the
// next one. A one-shot fault hits the nth reply and is then gone; a
// persistent one hits the nth and every later one. Several faults may hit
// one reply; they apply in the order they were added.
//
//   {.kind = Fault::Garbage, .on = Reply::Data, .nth = 5}      5th data reply is junk
//   {.kind = Fault::Short, .on = Reply::Pass, .arg = 3}        next password reply lacks 3 bytes
//   {.kind = Fault::Refuse, .on = Reply::Write_Ack, .nth = 2}  2nd write answered 0x15, not stored
//   {.kind = Fault::Patch, .on = Reply::Ident, .arg = 0, .byte = 0x02}   invalid identification
//   {.kind = Fault::Late, .on = Reply::Ident, .arg = 200}      next identification 200 ms late
struct Fault {
  enum Kind {
    Silent,      // answer nothing
    Garbage,     // as many bytes of junk (0xA0..0xAF, never 0x06, 'X', 0x55 or 0x01)
    Short,       // drop the last arg bytes
    Extra,       // append byte
    Patch,       // set reply byte arg to byte
    Wrong_Addr,  // read replies: the header names address + 0x40 (the data stay right)
    Refuse,      // answer the single byte `byte` instead; a refused write is not stored
    Late,        // the reply leaves arg ms late, as it is; the replies after it wait behind it
  };
  Kind kind = Silent;
  Reply on = Reply::Any;
  int nth = 1;
  bool persistent = false;
  int arg = 1;
  uint8_t byte = 0x15;
};

struct Counters {
  int connects = 0, acks = 0, reads = 0, writes = 0, ends = 0;  // frames acted on
  int ignored_bytes = 0;  // bytes of frames that made no sense
  int replies = 0;        // replies sent (withheld ones not counted)
  int faulted = 0;        // replies changed or withheld
  long long rx_bytes = 0, tx_bytes = 0;
  long long tx_dropped = 0;  // bytes the tty would not take
};

enum class Ident_Form {
  Ack_First,  // 0x06 + the 49-byte record
  Plain,      // the record, then one byte 0x00
};

constexpr int Memory_Bytes = 0x4000;
constexpr int Default_Frame_Gap_Ms = 500;

class Radio_Sim {
public:
  Radio_Sim();
  ~Radio_Sim();  // stops and closes the pseudo-terminal
  Radio_Sim(const Radio_Sim&) = delete;
  Radio_Sim& operator=(const Radio_Sim&) = delete;

  // Opens the pseudo-terminal on the first call, then starts answering.
  // Bytes that came in while stopped are discarded. False with a reason when
  // no pseudo-terminal could be had.
  bool Start(std::string* why = nullptr);
  // Stops answering (the thread ends; the tty stays).
  void Stop();
  bool Running() const;
  std::string Tty_Path() const;  // e.g. /dev/pts/7; empty before the first Start

  // The radio's memory, 0x0000..0x3FFF. 0xFF everywhere at construction,
  // except the password row (see Set_Password).
  std::vector<uint8_t> Memory() const;
  void Set_Memory(const std::vector<uint8_t>& bytes);  // from 0x0000, up to 16 KiB
  std::vector<uint8_t> Peek(uint16_t addr, int n) const;
  void Poke(uint16_t addr, const std::vector<uint8_t>& bytes);

  // The password row at 0x3DF0: bytes 0..5 user password, 6..11 super
  // password, each blank-padded (six blanks: none set). Both blank at start.
  void Set_Password(const std::string& user);
  void Set_Super(const std::string& super);
  std::string Password() const;
  std::string Super() const;

  // The identification record. Default: limits 136-174, 136-174, 400-480,
  // 400-480 MHz, model "R47X  ", firmware "V1.00 ".
  void Set_Ident(const std::array<int, 8>& limits, const std::string& model,
                 const std::string& firmware);
  void Set_Ident_Record(const std::array<uint8_t, 49>& record);
  std::array<uint8_t, 49> Ident_Record() const;
  void Set_Ident_Form(Ident_Form form);

  // Pacing at 9600 bit/s, 10 bits a byte, in both directions: received bytes
  // are acted on no sooner than they would have arrived, and replies leave a
  // byte at a time. Off by default (everything as fast as possible).
  void Set_Paced(bool on);
  bool Paced() const;
  void Set_Frame_Gap(int ms);

  // Faults, settable at any time.
  void Set_Silent(bool on);   // hears nothing: frames are logged, never acted on
  void Set_Stop_After(int n); // in each session, answer the first n reads and
                              // writes, then nothing until the next connect
                              // command (writes are still stored); -1: off
  void Add_Fault(const Fault& f);
  void Clear_Faults();
  int Faults_Pending() const;

  // What happened. Frames and replies are logged from the start or the last
  // Clear_Log.
  std::vector<Frame> Frames() const;
  size_t Frame_Count() const;
  std::vector<Sent> Replies() const;
  size_t Reply_Count() const;
  Counters Counts() const;
  bool In_Session() const;
  size_t Output_Pending() const;  // reply bytes not yet handed to the line
  void Clear_Log();               // frames, replies and counters

  // Blocking waits (not on a thread that must keep an event loop running;
  // there, poll the accessors above). pred may call any accessor. True when
  // the condition held within ms.
  bool Wait_For(const std::function<bool()>& pred, int ms) const;
  bool Wait_Frames(size_t n, int ms) const;
  bool Wait_Replies(size_t n, int ms) const;

  // Called on the simulator's thread for each frame received, after it was
  // acted on; must not block for long.
  void Set_On_Frame(std::function<void(const Frame&)> fn);

  // One line, e.g. "read 0x3DF0 x16: 53 3D F0 10".
  static std::string Describe(const Frame& f);

private:
  struct In_Byte {
    uint8_t b;
    Clock::time_point due;
  };
  struct Out_Byte {
    uint8_t b;
    Clock::time_point due;
    uint64_t reply;  // seq of its reply when it is the reply's last byte, else 0
  };

  bool Open_Pty(std::string* why);
  void Run();
  void Read_Input(std::deque<In_Byte>& rxq);
  void Write_Due(std::deque<Out_Byte>& txq, Clock::time_point now);

  // Reassembles frames from the byte stream (thread only).
  void Take(uint8_t b, Clock::time_point t, std::vector<Frame>& out);
  void Settle(std::vector<Frame>& out);
  void Resync(std::vector<Frame>& out);
  void Emit(Frame_Kind kind, size_t n, std::vector<Frame>& out);  // the first n bytes of partial_

  // Acts on a frame and queues its answer (thread only, mu_ held).
  void Handle(Frame& f, std::deque<Out_Byte>& txq);
  std::vector<uint8_t> Normal_Reply(const Frame& f, Reply kind) const;
  // Applies the faults that fall due on this reply; true when one refused
  // it. `late` gets the time it is held back.
  bool Apply_Faults(Reply kind, std::vector<uint8_t>& bytes, Clock::duration& late);
  void Answer(const Frame& f, Reply kind, std::vector<uint8_t> bytes, bool withheld,
              Clock::duration late, std::deque<Out_Byte>& txq);
  void Changed();  // mu_ held
  template <class T>
  void Set(T* field, T value) {
    std::lock_guard lk(mu_);
    *field = std::move(value);
  }
  template <class T>
  T Get(const T* field) const {
    std::lock_guard lk(mu_);
    return *field;
  }

  mutable std::mutex mu_;
  mutable std::condition_variable cv_;
  uint64_t generation_ = 0;

  std::vector<uint8_t> memory_;
  std::array<uint8_t, 49> ident_{};
  Ident_Form ident_form_ = Ident_Form::Ack_First;
  bool paced_ = false;
  int frame_gap_ms_ = Default_Frame_Gap_Ms;
  bool silent_ = false;
  int stop_after_ = -1;
  std::vector<Fault> faults_;
  std::vector<int> fault_seen_;  // matching replies seen by each fault

  bool session_ = false;
  int session_requests_ = 0;
  uint64_t frame_seq_ = 0, reply_seq_ = 0;
  std::vector<Frame> frames_;
  std::vector<Sent> replies_;
  Counters counts_;
  std::function<void(const Frame&)> on_frame_;

  // Thread-only state.
  std::vector<uint8_t> partial_;  // an incomplete frame and when each byte came
  std::vector<Clock::time_point> partial_t_;
  Clock::time_point rx_tail_, tx_tail_;

  int master_ = -1, slave_ = -1, wake_ = -1;
  std::string tty_path_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> out_pending_{0};
};

}  // namespace radiosim
