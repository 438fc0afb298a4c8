#include "tools/radiosim/radio_sim.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "link/protocol.h"

namespace radiosim {

namespace {

constexpr uint16_t Addr_Mask = Memory_Bytes - 1;
constexpr int Max_Len = proto::Block_Len;  // of a read request or a write frame
constexpr size_t Connect_Len = proto::Connect_Command.size();

Clock::duration Byte_Time(long long n) {
  return std::chrono::microseconds(proto::Wire_Micros(n));
}

bool Ends_With_Connect(const std::vector<uint8_t>& v) {
  return v.size() >= Connect_Len &&
         std::equal(proto::Connect_Command.begin(), proto::Connect_Command.end(),
                    v.end() - Connect_Len);
}

bool Is_Connect_Prefix(const std::vector<uint8_t>& v) {
  return v.size() <= Connect_Len &&
         std::equal(v.begin(), v.end(), proto::Connect_Command.begin());
}

bool Hits(const Fault& f, Reply kind) { return f.on == Reply::Any || f.on == kind; }

std::string Pass_Text(const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); }

std::vector<uint8_t> Blank_Padded(const std::string& s) {
  std::vector<uint8_t> out(6, ' ');
  for (size_t i = 0; i < s.size() && i < 6; ++i) out[i] = static_cast<uint8_t>(s[i]);
  return out;
}

std::string Errno_Text(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

Radio_Sim::Radio_Sim() : memory_(Memory_Bytes, 0xFF) {
  for (int i = 0; i < 12; ++i) memory_[proto::Pass_Addr + i] = ' ';
  for (int i = 12; i < proto::Row_Len; ++i) memory_[proto::Pass_Addr + i] = 0x00;
  ident_ = proto::Ident_Build({136, 174, 136, 174, 400, 480, 400, 480}, "R47X  ", "V1.00 ");
}

Radio_Sim::~Radio_Sim() {
  Stop();
  for (int fd : {slave_, master_, wake_})
    if (fd >= 0) ::close(fd);
}

bool Radio_Sim::Open_Pty(std::string* why) {
  auto fail = [&](const char* what) {
    if (why) *why = Errno_Text(what);
    return false;
  };
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) return fail("posix_openpt");
  if (::grantpt(master_) != 0) return fail("grantpt");
  if (::unlockpt(master_) != 0) return fail("unlockpt");
  char name[128];
  if (::ptsname_r(master_, name, sizeof name) != 0) return fail("ptsname");
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  ::fcntl(master_, F_SETFD, FD_CLOEXEC);

  // Our own slave descriptor: the line never hangs up when the program
  // closes its port, and the raw settings stay for its next open.
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return fail("open slave");
  termios t{};
  if (::tcgetattr(slave_, &t) != 0) return fail("tcgetattr");
  ::cfmakeraw(&t);
  ::cfsetspeed(&t, B9600);
  t.c_cflag |= CLOCAL | CREAD;
  if (::tcsetattr(slave_, TCSANOW, &t) != 0) return fail("tcsetattr");

  wake_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake_ < 0) return fail("eventfd");
  std::lock_guard lk(mu_);
  tty_path_ = name;
  return true;
}

bool Radio_Sim::Start(std::string* why) {
  if (thread_.joinable()) return true;
  if (master_ < 0 && !Open_Pty(why)) return false;
  // Whatever arrived while stopped was sent to a radio that was not there.
  uint8_t junk[256];
  while (::read(master_, junk, sizeof junk) > 0) {
  }
  partial_.clear();
  partial_t_.clear();
  stop_ = false;
  thread_ = std::thread([this] { Run(); });
  return true;
}

void Radio_Sim::Stop() {
  if (!thread_.joinable()) return;
  stop_ = true;
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = ::write(wake_, &one, sizeof one);
  thread_.join();
  out_pending_ = 0;
}

bool Radio_Sim::Running() const { return thread_.joinable(); }

std::string Radio_Sim::Tty_Path() const { return Get(&tty_path_); }

// ---- the thread

void Radio_Sim::Run() {
  ::prctl(PR_SET_TIMERSLACK, 1UL);  // pacing wants wake-ups to the microsecond
  std::deque<In_Byte> rxq;
  std::deque<Out_Byte> txq;
  rx_tail_ = tx_tail_ = Clock::now();
  while (!stop_) {
    Clock::time_point now = Clock::now();
    std::vector<Frame> done;
    while (!rxq.empty() && rxq.front().due <= now) {
      Take(rxq.front().b, rxq.front().due, done);
      rxq.pop_front();
    }
    if (!done.empty()) {
      std::function<void(const Frame&)> cb;
      {
        std::lock_guard lk(mu_);
        for (Frame& f : done) Handle(f, txq);
        cb = on_frame_;
        Changed();
      }
      if (cb)
        for (const Frame& f : done) cb(f);
    }
    Write_Due(txq, now);

    // Sleep until input, a wake-up or the next paced byte falls due. The
    // deadlines are absolute, so the pace does not drift with late wake-ups.
    Clock::time_point next = Clock::time_point::max();
    if (!rxq.empty()) next = rxq.front().due;
    if (!txq.empty()) next = std::min(next, txq.front().due);
    timespec ts{};
    timespec* tsp = nullptr;
    if (next != Clock::time_point::max()) {
      const auto left = std::max(Clock::duration::zero(), next - Clock::now());
      const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
      ts.tv_sec = ns / 1000000000;
      ts.tv_nsec = ns % 1000000000;
      tsp = &ts;
    }
    pollfd fds[2] = {{master_, POLLIN, 0}, {wake_, POLLIN, 0}};
    if (::ppoll(fds, 2, tsp, nullptr) < 0) continue;
    if (fds[1].revents & POLLIN) {
      uint64_t v;
      [[maybe_unused]] ssize_t n = ::read(wake_, &v, sizeof v);
    }
    if (fds[0].revents & POLLIN) Read_Input(rxq);
    else if (fds[0].revents & (POLLHUP | POLLERR)) ::usleep(10000);
  }
}

void Radio_Sim::Read_Input(std::deque<In_Byte>& rxq) {
  uint8_t buf[512];
  for (;;) {
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n <= 0) break;
    const Clock::time_point now = Clock::now();
    bool paced;
    {
      std::lock_guard lk(mu_);
      paced = paced_;
      counts_.rx_bytes += n;
    }
    // Paced, a byte is there one byte time after the one before it ended.
    const Clock::time_point base = paced ? std::max(now, rx_tail_) : now;
    for (ssize_t i = 0; i < n; ++i)
      rxq.push_back({buf[i], paced ? base + Byte_Time(i + 1) : now});
    rx_tail_ = rxq.back().due;
  }
}

void Radio_Sim::Write_Due(std::deque<Out_Byte>& txq, Clock::time_point now) {
  std::vector<uint8_t> out;
  std::vector<uint64_t> finished;
  while (!txq.empty() && txq.front().due <= now) {
    out.push_back(txq.front().b);
    if (txq.front().reply) finished.push_back(txq.front().reply);
    txq.pop_front();
  }
  if (out.empty()) return;
  const ssize_t n = ::write(master_, out.data(), out.size());
  const long long written = n > 0 ? n : 0;
  const Clock::time_point t = Clock::now();
  std::lock_guard lk(mu_);
  // Under the lock, with the counts: whoever sees nothing pending sees them too.
  out_pending_ -= out.size();
  counts_.tx_bytes += written;
  counts_.tx_dropped += static_cast<long long>(out.size()) - written;
  for (uint64_t seq : finished)
    for (auto it = replies_.rbegin(); it != replies_.rend(); ++it)
      if (it->seq == seq) {
        it->done = t;
        break;
      }
  Changed();
}

// ---- reassembling frames

void Radio_Sim::Emit(Frame_Kind kind, size_t n, std::vector<Frame>& out) {
  Frame f;
  f.kind = kind;
  f.raw.assign(partial_.begin(), partial_.begin() + static_cast<long>(n));
  f.first = partial_t_.front();
  f.last = partial_t_[n - 1];
  if (kind == Frame_Kind::Read || kind == Frame_Kind::Write) {
    f.addr = static_cast<uint16_t>(f.raw[1] << 8 | f.raw[2]);
    f.len = kind == Frame_Kind::Read ? f.raw[3] : static_cast<int>(n) - 4;
  }
  out.push_back(std::move(f));
  partial_.erase(partial_.begin(), partial_.begin() + static_cast<long>(n));
  partial_t_.erase(partial_t_.begin(), partial_t_.begin() + static_cast<long>(n));
}

void Radio_Sim::Take(uint8_t b, Clock::time_point t, std::vector<Frame>& out) {
  int gap_ms;
  {
    std::lock_guard lk(mu_);
    gap_ms = frame_gap_ms_;
  }
  if (!partial_.empty() && t - partial_t_.back() > std::chrono::milliseconds(gap_ms))
    Emit(Frame_Kind::Stray, partial_.size(), out);
  partial_.push_back(b);
  partial_t_.push_back(t);
  // A frame whose header says it is a write is completed by its length
  // first: its data bytes may hold anything, a connect command among them.
  const bool write_open = partial_.size() > 4 && partial_[0] == proto::Data_Mark &&
                          partial_[3] >= 1 && partial_[3] <= Max_Len &&
                          partial_.size() <= 4u + partial_[3];
  if (!write_open && Ends_With_Connect(partial_)) {
    // The connect command wins over whatever incomplete frame it broke into.
    if (partial_.size() > Connect_Len) Emit(Frame_Kind::Stray, partial_.size() - Connect_Len, out);
    Emit(Frame_Kind::Connect, Connect_Len, out);
    return;
  }
  Settle(out);
}

// Completes the frame in partial_ if its last byte has come.
void Radio_Sim::Settle(std::vector<Frame>& out) {
  const size_t n = partial_.size();
  const auto bad_len = [](uint8_t len) { return len == 0 || len > Max_Len; };
  switch (partial_[0]) {
    case proto::Ack:
      Emit(Frame_Kind::Ack, 1, out);
      return;
    case proto::End_Byte:
      Emit(Frame_Kind::End, 1, out);
      return;
    case proto::Read_Cmd:
      if (n < 4) return;
      if (bad_len(partial_[3])) Resync(out);
      else Emit(Frame_Kind::Read, 4, out);
      return;
    case proto::Data_Mark:
      if (n < 4) return;
      if (bad_len(partial_[3])) Resync(out);
      else if (n == 4u + partial_[3]) Emit(Frame_Kind::Write, n, out);
      return;
    default:
      if (partial_[0] == proto::Connect_Command[0] && Is_Connect_Prefix(partial_)) return;
      Resync(out);
  }
}

// The first byte of partial_ begins no frame: drop it and look at the rest
// afresh, so that a frame (above all a connect command) inside it is found.
void Radio_Sim::Resync(std::vector<Frame>& out) {
  const std::vector<uint8_t> rest(partial_.begin() + 1, partial_.end());
  const std::vector<Clock::time_point> times(partial_t_.begin() + 1, partial_t_.end());
  Emit(Frame_Kind::Stray, 1, out);
  partial_.clear();
  partial_t_.clear();
  for (size_t i = 0; i < rest.size(); ++i) Take(rest[i], times[i], out);
}

// ---- acting on frames

void Radio_Sim::Changed() {
  ++generation_;
  cv_.notify_all();
}

std::vector<uint8_t> Radio_Sim::Normal_Reply(const Frame& f, Reply kind) const {
  std::vector<uint8_t> r;
  switch (kind) {
    case Reply::Ident:
      if (ident_form_ == Ident_Form::Ack_First) r.push_back(proto::Ack);
      r.insert(r.end(), ident_.begin(), ident_.end());
      if (ident_form_ == Ident_Form::Plain) r.push_back(0x00);
      break;
    case Reply::Data:
    case Reply::Pass:
      // The password row comes without the leading 0x06: the program takes
      // exactly 20 bytes and looks for the 'X' among them.
      if (kind == Reply::Data) r.push_back(proto::Ack);
      r.insert(r.end(), {proto::Data_Mark, f.raw[1], f.raw[2], f.raw[3]});
      for (int i = 0; i < f.len; ++i) r.push_back(memory_[(f.addr + i) & Addr_Mask]);
      break;
    case Reply::Write_Ack:
      r.push_back(proto::Ack);
      break;
    case Reply::Any:
      break;
  }
  return r;
}

bool Radio_Sim::Apply_Faults(Reply kind, std::vector<uint8_t>& bytes, Clock::duration& late) {
  bool refused = false;
  for (size_t i = 0; i < faults_.size();) {
    const Fault& f = faults_[i];
    if (!Hits(f, kind)) {
      ++i;
      continue;
    }
    const int seen = ++fault_seen_[i];
    if (seen < f.nth || (seen > f.nth && !f.persistent)) {
      ++i;
      continue;
    }
    switch (f.kind) {
      case Fault::Silent:
        bytes.clear();
        break;
      case Fault::Garbage:
        for (size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<uint8_t>(0xA0 + k % 16);
        break;
      case Fault::Short:
        bytes.resize(bytes.size() - std::min<size_t>(bytes.size(), std::max(0, f.arg)));
        break;
      case Fault::Extra:
        bytes.push_back(f.byte);
        break;
      case Fault::Patch:
        if (f.arg >= 0 && static_cast<size_t>(f.arg) < bytes.size()) bytes[f.arg] = f.byte;
        break;
      case Fault::Wrong_Addr:
        if (kind == Reply::Data || kind == Reply::Pass) {
          const size_t h = kind == Reply::Data ? 2 : 1;
          if (bytes.size() > h + 1) {
            const uint16_t a = static_cast<uint16_t>((bytes[h] << 8 | bytes[h + 1]) + 0x40);
            bytes[h] = static_cast<uint8_t>(a >> 8);
            bytes[h + 1] = static_cast<uint8_t>(a & 0xFF);
          }
        }
        break;
      case Fault::Refuse:
        bytes.assign(1, f.byte);
        refused = true;
        break;
      case Fault::Late:
        late += std::chrono::milliseconds(std::max(0, f.arg));
        break;
    }
    if (f.persistent) {
      ++i;
    } else {
      faults_.erase(faults_.begin() + static_cast<long>(i));
      fault_seen_.erase(fault_seen_.begin() + static_cast<long>(i));
    }
  }
  return refused;
}

void Radio_Sim::Answer(const Frame& f, Reply kind, std::vector<uint8_t> bytes, bool faulted,
                       Clock::duration late, std::deque<Out_Byte>& txq) {
  Sent s;
  s.seq = ++reply_seq_;
  s.frame = f.seq;
  s.kind = kind;
  s.faulted = faulted;
  s.queued = s.done = f.last;
  s.bytes = std::move(bytes);
  if (s.faulted) ++counts_.faulted;
  if (!s.bytes.empty()) {
    ++counts_.replies;
    // Paced, the first byte leaves once the request is in (and any hold-back
    // is over) and the line is free; each byte is there one byte time after
    // it started. Unpaced, a reply held back holds back those queued after
    // it: the queue leaves in order.
    const Clock::time_point ready = f.last + late;
    const Clock::time_point base = paced_ ? std::max(ready, tx_tail_) : ready;
    for (size_t i = 0; i < s.bytes.size(); ++i) {
      const bool last = i + 1 == s.bytes.size();
      txq.push_back({s.bytes[i], paced_ ? base + Byte_Time(static_cast<long long>(i) + 1) : base,
                     last ? s.seq : 0});
    }
    tx_tail_ = txq.back().due;
    out_pending_ += s.bytes.size();
  }
  replies_.push_back(std::move(s));
}

void Radio_Sim::Handle(Frame& f, std::deque<Out_Byte>& txq) {
  f.seq = ++frame_seq_;
  // A silent radio hears nothing; reads, writes and 'E' need a session.
  const bool in_session = session_ && !silent_;
  bool acted = true;
  Reply kind = Reply::Any;
  switch (f.kind) {
    case Frame_Kind::Connect:
      acted = !silent_;
      if (!acted) break;
      session_ = true;
      session_requests_ = 0;
      ++counts_.connects;
      kind = Reply::Ident;
      break;
    case Frame_Kind::Ack:
      acted = !silent_;
      if (acted) ++counts_.acks;
      break;
    case Frame_Kind::Read:
      acted = in_session;
      if (!acted) break;
      ++counts_.reads;
      kind = f.len == proto::Row_Len ? Reply::Pass : Reply::Data;
      break;
    case Frame_Kind::Write:
      acted = in_session;
      if (!acted) break;
      ++counts_.writes;
      kind = Reply::Write_Ack;
      break;
    case Frame_Kind::End:
      acted = in_session;
      if (!acted) break;
      ++counts_.ends;
      session_ = false;
      break;
    case Frame_Kind::Stray:
      acted = false;
      break;
  }
  f.ignored = !acted;
  if (f.ignored) counts_.ignored_bytes += static_cast<int>(f.raw.size());
  frames_.push_back(f);
  if (kind == Reply::Any) return;

  const bool withheld =
      kind != Reply::Ident && stop_after_ >= 0 && session_requests_++ >= stop_after_;
  const std::vector<uint8_t> normal = Normal_Reply(f, kind);
  std::vector<uint8_t> bytes = withheld ? std::vector<uint8_t>{} : normal;
  Clock::duration late{};
  const bool refused = !withheld && Apply_Faults(kind, bytes, late);
  if (kind == Reply::Write_Ack && !refused)
    for (int i = 0; i < f.len; ++i) memory_[(f.addr + i) & Addr_Mask] = f.raw[4 + i];
  const bool faulted = withheld || refused || bytes != normal || late > Clock::duration::zero();
  Answer(f, kind, std::move(bytes), faulted, late, txq);
}

// ---- accessors

std::vector<uint8_t> Radio_Sim::Memory() const { return Get(&memory_); }

void Radio_Sim::Set_Memory(const std::vector<uint8_t>& bytes) { Poke(0, bytes); }

std::vector<uint8_t> Radio_Sim::Peek(uint16_t addr, int n) const {
  std::lock_guard lk(mu_);
  std::vector<uint8_t> out;
  for (int i = 0; i < n; ++i) out.push_back(memory_[(addr + i) & Addr_Mask]);
  return out;
}

void Radio_Sim::Poke(uint16_t addr, const std::vector<uint8_t>& bytes) {
  std::lock_guard lk(mu_);
  for (size_t i = 0; i < bytes.size() && i < memory_.size(); ++i)
    memory_[(addr + i) & Addr_Mask] = bytes[i];
}

void Radio_Sim::Set_Password(const std::string& user) { Poke(proto::Pass_Addr, Blank_Padded(user)); }
void Radio_Sim::Set_Super(const std::string& super) { Poke(proto::Pass_Addr + 6, Blank_Padded(super)); }
std::string Radio_Sim::Password() const { return Pass_Text(Peek(proto::Pass_Addr, 6)); }
std::string Radio_Sim::Super() const { return Pass_Text(Peek(proto::Pass_Addr + 6, 6)); }

void Radio_Sim::Set_Ident(const std::array<int, 8>& limits, const std::string& model,
                          const std::string& firmware) {
  Set_Ident_Record(proto::Ident_Build(limits, model, firmware));
}

void Radio_Sim::Set_Ident_Record(const std::array<uint8_t, 49>& record) { Set(&ident_, record); }

std::array<uint8_t, 49> Radio_Sim::Ident_Record() const { return Get(&ident_); }

void Radio_Sim::Set_Ident_Form(Ident_Form form) { Set(&ident_form_, form); }

void Radio_Sim::Set_Paced(bool on) { Set(&paced_, on); }

bool Radio_Sim::Paced() const { return Get(&paced_); }

void Radio_Sim::Set_Frame_Gap(int ms) { Set(&frame_gap_ms_, ms); }

void Radio_Sim::Set_Silent(bool on) { Set(&silent_, on); }

void Radio_Sim::Set_Stop_After(int n) { Set(&stop_after_, n); }

void Radio_Sim::Add_Fault(const Fault& f) {
  std::lock_guard lk(mu_);
  faults_.push_back(f);
  fault_seen_.push_back(0);
}

void Radio_Sim::Clear_Faults() {
  std::lock_guard lk(mu_);
  faults_.clear();
  fault_seen_.clear();
}

int Radio_Sim::Faults_Pending() const {
  std::lock_guard lk(mu_);
  return static_cast<int>(faults_.size());
}

std::vector<Frame> Radio_Sim::Frames() const { return Get(&frames_); }

size_t Radio_Sim::Frame_Count() const {
  std::lock_guard lk(mu_);
  return frames_.size();
}

std::vector<Sent> Radio_Sim::Replies() const { return Get(&replies_); }

size_t Radio_Sim::Reply_Count() const {
  std::lock_guard lk(mu_);
  return replies_.size();
}

Counters Radio_Sim::Counts() const { return Get(&counts_); }

bool Radio_Sim::In_Session() const { return Get(&session_); }

size_t Radio_Sim::Output_Pending() const { return out_pending_; }

void Radio_Sim::Clear_Log() {
  std::lock_guard lk(mu_);
  frames_.clear();
  replies_.clear();
  counts_ = Counters{};
}

bool Radio_Sim::Wait_For(const std::function<bool()>& pred, int ms) const {
  const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
  std::unique_lock lk(mu_);
  for (;;) {
    const uint64_t seen = generation_;
    lk.unlock();
    const bool ok = pred();
    lk.lock();
    if (ok) return true;
    if (!cv_.wait_until(lk, deadline, [&] { return generation_ != seen; })) {
      lk.unlock();
      return pred();
    }
  }
}

bool Radio_Sim::Wait_Frames(size_t n, int ms) const {
  return Wait_For([&] { return Frame_Count() >= n; }, ms);
}

bool Radio_Sim::Wait_Replies(size_t n, int ms) const {
  return Wait_For([&] { return Reply_Count() >= n; }, ms);
}

void Radio_Sim::Set_On_Frame(std::function<void(const Frame&)> fn) {
  std::lock_guard lk(mu_);
  on_frame_ = std::move(fn);
}

std::string Radio_Sim::Describe(const Frame& f) {
  char head[64];
  switch (f.kind) {
    case Frame_Kind::Connect: std::snprintf(head, sizeof head, "connect"); break;
    case Frame_Kind::Ack: std::snprintf(head, sizeof head, "ack"); break;
    case Frame_Kind::Read: std::snprintf(head, sizeof head, "read 0x%04X x%d", f.addr, f.len); break;
    case Frame_Kind::Write: std::snprintf(head, sizeof head, "write 0x%04X x%d", f.addr, f.len); break;
    case Frame_Kind::End: std::snprintf(head, sizeof head, "end"); break;
    case Frame_Kind::Stray: std::snprintf(head, sizeof head, "stray x%zu", f.raw.size()); break;
  }
  std::string s = head;
  if (f.ignored) s += " (ignored)";
  s += ":";
  for (uint8_t b : f.raw) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02X", b);
    s += hex;
  }
  return s;
}

}  // namespace radiosim
