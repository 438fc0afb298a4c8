// The simulated radio, driven as the program drives it: through its tty,
// opened raw with plain POSIX calls.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/protocol.h"
#include "tools/radiosim/radio_sim.h"

using namespace radiosim;
using Bytes = std::vector<uint8_t>;
using std::chrono::milliseconds;

namespace {

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Every address holds a value unlike its neighbours and unlike the same
// offset in other blocks, so a reply from a wrong address shows.
uint8_t At(int a) { return static_cast<uint8_t>((a & 0x3FFF) * 7 + ((a & 0x3FFF) >> 8)); }

Bytes Pattern(int addr, int n) {
  Bytes b;
  for (int i = 0; i < n; ++i) b.push_back(At(addr + i));
  return b;
}

const Bytes Connect(proto::Connect_Command.begin(), proto::Connect_Command.end());

Bytes Header(uint16_t addr, int len) {
  return {proto::Data_Mark, static_cast<uint8_t>(addr >> 8), static_cast<uint8_t>(addr & 0xFF),
          static_cast<uint8_t>(len)};
}
// What the program expects for a read: 0x06 'X' hi lo len and the data...
Bytes Data_Reply(uint16_t addr, int len) { return Bytes{0x06} + Header(addr, len) + Pattern(addr, len); }
// ...and for the 16-byte password row: no leading 0x06, 20 bytes in all.
Bytes Pass_Reply(uint16_t addr) { return Header(addr, 16) + Pattern(addr, 16); }

Bytes Row(uint8_t first) {
  Bytes r;
  for (int i = 0; i < 16; ++i) r.push_back(static_cast<uint8_t>(first + i));
  return r;
}

// The program's end of the line.
class Line {
public:
  explicit Line(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    ::tcgetattr(fd_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd_, TCSANOW, &t);
  }
  ~Line() { ::close(fd_); }
  bool Ok() const { return fd_ >= 0; }

  void Send(const Bytes& b) { ASSERT_EQ(::write(fd_, b.data(), b.size()), ssize_t(b.size())); }
  // One byte at a time with a pause after each, as a slow sender does.
  void Send_Slowly(const Bytes& b, milliseconds gap) {
    for (uint8_t c : b) {
      Send({c});
      std::this_thread::sleep_for(gap);
    }
  }
  // Up to n bytes, whatever came within ms.
  Bytes Recv(size_t n, int ms = 2000) {
    Bytes got;
    const auto end = std::chrono::steady_clock::now() + milliseconds(ms);
    while (got.size() < n) {
      const auto left = std::chrono::duration_cast<milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      uint8_t buf[256];
      const ssize_t k = ::read(fd_, buf, std::min(sizeof buf, n - got.size()));
      if (k <= 0) break;
      got.insert(got.end(), buf, buf + k);
    }
    return got;
  }
  // n bytes, then whatever else comes before the line is quiet for a while.
  Bytes Take(size_t n) {
    const Bytes head = Recv(n);
    return head + Recv(1000, n ? 40 : 120);
  }

private:
  int fd_ = -1;
};

class Radio_Sim_Test : public ::testing::Test {
protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(sim.Start(&why)) << why;
    sim.Set_Memory(Pattern(0, Memory_Bytes));
    line = std::make_unique<Line>(sim.Tty_Path());
    ASSERT_TRUE(line->Ok());
  }
  // Sends a frame and takes the answer, expecting n bytes.
  Bytes Ask(const Bytes& frame, size_t n) {
    line->Send(frame);
    return line->Take(n);
  }
  void Open_Session() { ASSERT_EQ(Ask(Connect, 50).size(), 50u); }

  Radio_Sim sim;
  std::unique_ptr<Line> line;
};

TEST_F(Radio_Sim_Test, IdentReplyInBothFormsDecodesToTheRecord) {
  const auto def = Radio_Sim().Ident_Record();
  const Bytes def_reply = Bytes{0x06} + Bytes(def.begin(), def.end());
  const auto fresh = proto::Ident_Decode(def_reply.data());
  ASSERT_TRUE(fresh);
  EXPECT_EQ(fresh->Limit(0), 136);
  EXPECT_EQ(fresh->Limit(7), 480);
  EXPECT_EQ(fresh->Model(), (std::array<uint8_t, 6>{'R', '4', '7', 'X', ' ', ' '}));

  const auto rec = proto::Ident_Build({140, 170, 136, 174, 410, 470, 400, 480}, "R47XU ", "V2.01 ");
  sim.Set_Ident({140, 170, 136, 174, 410, 470, 400, 480}, "R47XU ", "V2.01 ");
  const Bytes body(rec.begin(), rec.end());
  const struct {
    Ident_Form form;
    Bytes want;
  } cases[] = {{Ident_Form::Ack_First, Bytes{0x06} + body}, {Ident_Form::Plain, body + Bytes{0x00}}};
  for (const auto& c : cases) {
    sim.Set_Ident_Form(c.form);
    const Bytes got = Ask(Connect, 50);
    ASSERT_EQ(got, c.want);
    const auto d = proto::Ident_Decode(got.data());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Limit(0), 140);
    EXPECT_EQ(d->Limit(5), 470);
    EXPECT_EQ(d->Firmware(), (std::array<uint8_t, 6>{'V', '2', '.', '0', '1', ' '}));
  }
}

TEST_F(Radio_Sim_Test, ReadRepliesCarryTheRequestedMemory) {
  Open_Session();
  const struct {
    const char* what;
    Bytes request;
    Bytes want;
  } cases[] = {
      {"64-byte block", proto::Read_Request(0x0040, 0x40), Data_Reply(0x0040, 64)},
      {"after an acknowledgement", proto::Read_Request(0x3DC0, 0x40, true), Data_Reply(0x3DC0, 64)},
      {"password row", proto::Read_Request(0x3DF0, 0x10), Pass_Reply(0x3DF0)},
      {"other length", proto::Read_Request(0x1230, 0x08), Data_Reply(0x1230, 8)},
      {"past the top wraps to 0", proto::Read_Request(0x3FE0, 0x40), Data_Reply(0x3FE0, 64)},
  };
  for (const auto& c : cases) EXPECT_EQ(Ask(c.request, c.want.size()), c.want) << c.what;
}

TEST_F(Radio_Sim_Test, WriteIsAcknowledgedStoredAndReadBack) {
  Open_Session();
  EXPECT_EQ(Ask(proto::Write_Frame(0x0120, Row(0x40).data()), 1), Bytes{0x06});
  EXPECT_EQ(Ask(proto::Write_Frame(0x0130, Row(0x80).data(), true), 1), Bytes{0x06});
  const Bytes block = Ask(proto::Read_Request(0x0100, 0x40), 69);
  ASSERT_EQ(block.size(), 69u);
  EXPECT_EQ(Bytes(block.begin() + 5, block.end()), Pattern(0x0100, 0x20) + Row(0x40) + Row(0x80));
  EXPECT_EQ(sim.Peek(0x0120, 16), Row(0x40));
  EXPECT_EQ(sim.Memory()[0x011F], At(0x011F));
}

// The password change: block read at 0x3DC0, a separate 0x06, the new row
// sent a byte at a time, 0x06 from the radio, then 'E'.
TEST_F(Radio_Sim_Test, PasswordChangeExchange) {
  sim.Set_Password("5804");
  sim.Set_Super("SUPER1");
  EXPECT_EQ(sim.Peek(proto::Pass_Addr, 12), (Bytes{'5', '8', '0', '4', ' ', ' ', 'S', 'U', 'P', 'E', 'R', '1'}));
  Open_Session();
  const Bytes block = Ask(proto::Read_Request(0x3DC0, 0x40, true), 69);
  ASSERT_EQ(block.size(), 69u);
  EXPECT_EQ(Bytes(block.begin() + 5 + 48, block.begin() + 5 + 60), sim.Peek(proto::Pass_Addr, 12));
  line->Send({0x06});

  Bytes row = {'1', '2', '3', '4', '5', '6', 'S', 'U', 'P', 'E', 'R', '1', 0, 0, 0, 0};
  line->Send_Slowly(proto::Write_Frame(proto::Pass_Addr, row.data()), milliseconds(15));
  EXPECT_EQ(line->Take(1), Bytes{0x06});
  line->Send({proto::End_Byte});
  ASSERT_TRUE(sim.Wait_For([&] { return !sim.In_Session(); }, 1000));
  EXPECT_EQ(sim.Password(), "123456");
  EXPECT_EQ(sim.Super(), "SUPER1");
  EXPECT_TRUE(Ask(proto::Read_Request(0x3DF0, 0x10), 0).empty()) << "no session after 'E'";
}

TEST_F(Radio_Sim_Test, FramesOutsideASessionAndStrayBytesAreIgnored) {
  const Bytes before = sim.Peek(0, 16);
  line->Send(proto::Read_Request(0, 0x40) + proto::Write_Frame(0, Row(1).data()) +
             Bytes{proto::End_Byte, 0x00, 0x7F});
  EXPECT_TRUE(line->Take(0).empty());
  ASSERT_TRUE(sim.Wait_Frames(5, 1000));
  EXPECT_EQ(sim.Counts().ignored_bytes, 4 + 20 + 1 + 2);
  EXPECT_EQ(sim.Peek(0, 16), before);
  for (const Frame& f : sim.Frames()) EXPECT_TRUE(f.ignored) << Radio_Sim::Describe(f);

  Open_Session();
  line->Send({0x11, 0x22});
  EXPECT_EQ(Ask(proto::Read_Request(0x0080, 0x40), 69), Data_Reply(0x0080, 64)) << "strays change nothing";
}

TEST_F(Radio_Sim_Test, IncompleteFramesGiveWay) {
  sim.Set_Frame_Gap(100);
  // A connect command breaks into a request cut short.
  line->Send({proto::Read_Cmd, 0x00});
  EXPECT_EQ(Ask(Connect, 50).size(), 50u);
  // A frame left hanging longer than the gap is dropped; the next frame and
  // a connect command after it count. The radio times bytes as it takes
  // them from the line, so the hang starts once it has taken them.
  const auto hang = [&](const Bytes& bytes) {
    const long long before = sim.Counts().rx_bytes;
    line->Send(bytes);
    ASSERT_TRUE(sim.Wait_For([&] { return sim.Counts().rx_bytes >= before + static_cast<long long>(bytes.size()); }, 2000));
    std::this_thread::sleep_for(milliseconds(200));
  };
  hang(Header(0x0000, 0x10) + Bytes{1, 2, 3});
  EXPECT_EQ(Ask(proto::Read_Request(0x0000, 0x40), 69), Data_Reply(0x0000, 64));
  hang(Header(0x0000, 0x10) + Bytes{1, 2, 3});
  EXPECT_EQ(Ask(Connect, 50).size(), 50u);
  // A connect command sent slowly still counts.
  line->Send_Slowly(Connect, milliseconds(15));
  EXPECT_EQ(line->Take(50).size(), 50u);
  EXPECT_EQ(sim.Counts().connects, 3);
}

// The 16 data bytes of a write frame are data, even where they spell the
// connect command: the row is stored and acknowledged, no new session begins.
TEST_F(Radio_Sim_Test, AConnectCommandInsideAWriteFrameIsData) {
  Open_Session();
  for (size_t at : {size_t{0}, size_t{3}, size_t{8}}) {
    SCOPED_TRACE(at);
    Bytes row = Row(0x10);
    std::copy(Connect.begin(), Connect.end(), row.begin() + static_cast<long>(at));
    EXPECT_EQ(Ask(proto::Write_Frame(0x0200, row.data()), 1), Bytes{0x06});
    EXPECT_EQ(sim.Peek(0x0200, 16), row);
  }
  EXPECT_EQ(sim.Counts().connects, 1);
  EXPECT_EQ(sim.Counts().writes, 3);
  EXPECT_EQ(Ask(proto::Read_Request(0x0200, 0x10), 20).size(), 20u) << "the session goes on";
}

TEST_F(Radio_Sim_Test, FaultsChangeTheNthReplyOfTheirKind) {
  using F = Fault;
  auto garbage = [](Bytes b) {
    for (size_t k = 0; k < b.size(); ++k) b[k] = static_cast<uint8_t>(0xA0 + k % 16);
    return b;
  };
  auto cut = [](Bytes b, size_t n) {
    b.resize(n);
    return b;
  };
  const Bytes read = proto::Read_Request(0x0200, 0x40), pass = proto::Read_Request(0x3DF0, 0x10);
  const Bytes write = proto::Write_Frame(0x0300, Row(9).data());
  const struct {
    const char* what;
    Fault fault;
    Bytes request, normal, hit;
    const char* hits;  // which of three replies in a row the fault changes
  } cases[] = {
      {"garbage, one-shot", {.kind = F::Garbage, .on = Reply::Data, .nth = 2}, read,
       Data_Reply(0x0200, 64), garbage(Data_Reply(0x0200, 64)), "-x-"},
      {"garbage, persistent", {.kind = F::Garbage, .on = Reply::Data, .nth = 2, .persistent = true},
       read, Data_Reply(0x0200, 64), garbage(Data_Reply(0x0200, 64)), "-xx"},
      {"silent", {.kind = F::Silent, .on = Reply::Pass}, pass, Pass_Reply(0x3DF0), {}, "x--"},
      {"short", {.kind = F::Short, .on = Reply::Pass, .arg = 3}, pass, Pass_Reply(0x3DF0),
       cut(Pass_Reply(0x3DF0), 17), "x--"},
      {"extra byte", {.kind = F::Extra, .on = Reply::Any, .nth = 3, .byte = 0x58}, read,
       Data_Reply(0x0200, 64), Data_Reply(0x0200, 64) + Bytes{0x58}, "--x"},
      {"wrong address", {.kind = F::Wrong_Addr, .on = Reply::Data}, read, Data_Reply(0x0200, 64),
       Bytes{0x06} + Header(0x0240, 0x40) + Pattern(0x0200, 64), "x--"},
      {"refused write", {.kind = F::Refuse, .on = Reply::Write_Ack, .nth = 2}, write, {0x06}, {0x15},
       "-x-"},
      {"other kinds untouched", {.kind = F::Garbage, .on = Reply::Write_Ack}, read,
       Data_Reply(0x0200, 64), {}, "---"},
      {"ident: byte 0 = 0x02", {.kind = F::Patch, .on = Reply::Ident, .arg = 0, .byte = 0x02}, Connect,
       {}, {}, "x--"},
      {"ident: no end mark", {.kind = F::Patch, .on = Reply::Ident, .nth = 2, .arg = 49, .byte = 0},
       Connect, {}, {}, "-x-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Open_Session();
    sim.Clear_Faults();
    sim.Add_Fault(c.fault);
    for (int i = 0; i < 3; ++i) {
      const bool hit = c.hits[i] == 'x';
      if (c.request == Connect) {
        const Bytes got = Ask(Connect, 50);
        ASSERT_EQ(got.size(), 50u);
        EXPECT_EQ(proto::Ident_Valid(got.data()), !hit) << "reply " << i + 1;
        continue;
      }
      const Bytes& want = hit ? c.hit : c.normal;
      EXPECT_EQ(Ask(c.request, want.size()), want) << "reply " << i + 1;
    }
    const bool stays = c.fault.persistent || std::string(c.hits) == "---";
    EXPECT_EQ(sim.Faults_Pending(), stays ? 1 : 0);
  }
}

TEST_F(Radio_Sim_Test, RefusedWriteIsNotStoredOtherFaultedWritesAre) {
  Open_Session();
  sim.Add_Fault({.kind = Fault::Refuse, .on = Reply::Write_Ack});
  EXPECT_EQ(Ask(proto::Write_Frame(0x0400, Row(1).data()), 1), Bytes{0x15});
  EXPECT_EQ(sim.Peek(0x0400, 16), Pattern(0x0400, 16));
  sim.Add_Fault({.kind = Fault::Silent, .on = Reply::Write_Ack});
  EXPECT_TRUE(Ask(proto::Write_Frame(0x0400, Row(2).data()), 0).empty());
  EXPECT_TRUE(sim.Wait_For([&] { return sim.Peek(0x0400, 16) == Row(2); }, 2000));
}

TEST_F(Radio_Sim_Test, StopAfterFallsSilentUntilTheNextConnect) {
  sim.Set_Stop_After(2);
  const Bytes read = proto::Read_Request(0x0000, 0x40);
  for (int session = 0; session < 2; ++session) {
    SCOPED_TRACE(session);
    Open_Session();
    EXPECT_EQ(Ask(read, 69).size(), 69u);
    EXPECT_EQ(Ask(proto::Write_Frame(0x0010, Row(session).data()), 1), Bytes{0x06});
    EXPECT_TRUE(Ask(read, 0).empty());
    EXPECT_TRUE(Ask(proto::Write_Frame(0x0020, Row(0x30 + session).data()), 0).empty());
    EXPECT_TRUE(sim.Wait_For([&] { return sim.Peek(0x0020, 16) == Row(0x30 + session); }, 2000))
        << "still stored";
  }
  sim.Set_Stop_After(-1);
  EXPECT_EQ(Ask(read, 69).size(), 69u);
}

TEST_F(Radio_Sim_Test, SilentRadioHearsNothing) {
  sim.Set_Silent(true);
  EXPECT_TRUE(Ask(Connect, 0).empty());
  EXPECT_TRUE(Ask(proto::Read_Request(0, 0x40), 0).empty());
  ASSERT_TRUE(sim.Wait_Frames(2, 2000));
  EXPECT_FALSE(sim.In_Session());
  ASSERT_EQ(sim.Frame_Count(), 2u);
  EXPECT_TRUE(sim.Frames()[0].ignored);
  sim.Set_Silent(false);
  EXPECT_TRUE(Ask(proto::Read_Request(0, 0x40), 0).empty()) << "no session was opened";
  Open_Session();
}

TEST_F(Radio_Sim_Test, LogHoldsTheExactExchange) {
  line->Send(Connect);
  line->Take(50);
  line->Send({0x06});
  line->Send(proto::Read_Request(0x3DF0, 0x10));
  line->Take(20);
  line->Send(proto::Read_Request(0x0000, 0x40, true));
  line->Take(69);
  line->Send({0x06});
  ASSERT_TRUE(sim.Wait_Frames(6, 1000));
  EXPECT_FALSE(sim.Wait_Frames(7, 50));

  const auto frames = sim.Frames();
  const struct {
    Frame_Kind kind;
    uint16_t addr;
    int len;
    Bytes raw;
  } want[] = {
      {Frame_Kind::Connect, 0, 0, Connect},
      {Frame_Kind::Ack, 0, 0, {0x06}},
      {Frame_Kind::Read, 0x3DF0, 16, proto::Read_Request(0x3DF0, 0x10)},
      {Frame_Kind::Ack, 0, 0, {0x06}},
      {Frame_Kind::Read, 0x0000, 64, proto::Read_Request(0x0000, 0x40)},
      {Frame_Kind::Ack, 0, 0, {0x06}},
  };
  ASSERT_EQ(frames.size(), std::size(want));
  for (size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE(Radio_Sim::Describe(frames[i]));
    EXPECT_EQ(frames[i].kind, want[i].kind);
    EXPECT_EQ(frames[i].addr, want[i].addr);
    EXPECT_EQ(frames[i].len, want[i].len);
    EXPECT_EQ(frames[i].raw, want[i].raw);
    EXPECT_FALSE(frames[i].ignored);
    EXPECT_LE(frames[i].first, frames[i].last);
    if (i > 0) {
      EXPECT_LE(frames[i - 1].last, frames[i].first);
      EXPECT_EQ(frames[i].seq, frames[i - 1].seq + 1);
    }
  }

  ASSERT_TRUE(sim.Wait_For([&] { return sim.Output_Pending() == 0; }, 1000));
  const auto replies = sim.Replies();
  const struct {
    Reply kind;
    size_t frame, size;
  } sent[] = {{Reply::Ident, 0, 50}, {Reply::Pass, 2, 20}, {Reply::Data, 4, 69}};
  ASSERT_EQ(replies.size(), std::size(sent));
  for (size_t i = 0; i < replies.size(); ++i) {
    EXPECT_EQ(replies[i].kind, sent[i].kind);
    EXPECT_EQ(replies[i].frame, frames[sent[i].frame].seq);
    EXPECT_EQ(replies[i].bytes.size(), sent[i].size);
    EXPECT_FALSE(replies[i].faulted);
    EXPECT_LE(replies[i].queued, replies[i].done);
  }
  const Counters c = sim.Counts();
  EXPECT_EQ(c.connects, 1);
  EXPECT_EQ(c.acks, 3);
  EXPECT_EQ(c.reads, 2);
  EXPECT_EQ(c.replies, 3);
  EXPECT_EQ(c.tx_bytes, 50 + 20 + 69);
  sim.Clear_Log();
  EXPECT_EQ(sim.Frame_Count(), 0u);
  EXPECT_EQ(sim.Counts().rx_bytes, 0);
}

TEST_F(Radio_Sim_Test, PortCanBeClosedAndReopenedAndTheRadioRestarted) {
  Open_Session();
  line.reset();
  line = std::make_unique<Line>(sim.Tty_Path());
  ASSERT_TRUE(line->Ok());
  EXPECT_EQ(Ask(Connect, 50).size(), 50u);
  EXPECT_EQ(Ask(proto::Read_Request(0x0040, 0x40), 69), Data_Reply(0x0040, 64));

  // What is sent while the radio is off never gets an answer.
  sim.Stop();
  EXPECT_TRUE(Ask(Connect, 0).empty());
  ASSERT_TRUE(sim.Start());
  EXPECT_TRUE(line->Take(0).empty());
  EXPECT_EQ(Ask(Connect, 50).size(), 50u);
}

TEST_F(Radio_Sim_Test, PacedRepliesTakeTheirTimeOnTheLine) {
  Open_Session();
  const Bytes read = proto::Read_Request(0x0000, 0x40);
  Clock::time_point last_in;
  const auto timed = [&] {
    const auto t0 = std::chrono::steady_clock::now();
    line->Send(read);
    const Bytes first = line->Recv(1);
    const Bytes rest = line->Recv(68);
    const auto t2 = std::chrono::steady_clock::now();
    last_in = t2;
    EXPECT_EQ(first + rest, Data_Reply(0, 64));
    return std::chrono::duration<double, std::milli>(t2 - t0).count();
  };
  const double byte_ms = proto::Wire_Micros(1) / 1000.0;
  const double fast_total = timed();
  EXPECT_LT(fast_total, 40.0) << "well under the paced " << (4 + 69) * byte_ms << " ms";

  sim.Set_Paced(true);
  const double total = timed();
  EXPECT_GE(total, (4 + 69) * byte_ms - 1.0) << "request in, then reply out, byte by byte";
  EXPECT_LT(total, 400.0);
  // The reply's last byte came no sooner than 69 byte times after the radio
  // had the request: timed from the radio's own record of the request, since
  // this side may take the first byte late on a loaded machine.
  const auto since_request = std::chrono::duration<double, std::milli>(last_in - sim.Replies().back().queued).count();
  EXPECT_GE(since_request, 69 * byte_ms - 1.0) << "the reply leaves a byte at a time, not in one burst";
  const Frame req = sim.Frames().back();
  EXPECT_GE(req.last - req.first, std::chrono::microseconds(3 * proto::Wire_Micros(1)));
}

// A reply held back leaves late and whole, and the replies to the frames
// sent after it wait behind it: the line keeps their order.
TEST_F(Radio_Sim_Test, ALateReplyLeavesLateAndKeepsItsPlace) {
  Open_Session();
  constexpr int kLateMs = 200;
  sim.Add_Fault({.kind = Fault::Late, .on = Reply::Data, .arg = kLateMs});
  line->Send(proto::Read_Request(0x0100, 0x40) + proto::Read_Request(0x0200, 0x40));
  EXPECT_EQ(line->Take(2 * 69), Data_Reply(0x0100, 64) + Data_Reply(0x0200, 64));
  ASSERT_TRUE(sim.Wait_For([&] { return sim.Output_Pending() == 0; }, 1000));
  const auto replies = sim.Replies();
  ASSERT_EQ(replies.size(), 3u);  // the identification, then the two reads
  EXPECT_TRUE(replies[1].faulted);
  EXPECT_FALSE(replies[2].faulted);
  for (size_t i : {size_t{1}, size_t{2}})
    EXPECT_GE(replies[i].done - replies[1].queued, milliseconds(kLateMs)) << "reply " << i;
  EXPECT_EQ(sim.Faults_Pending(), 0);
}

}  // namespace
