// Every editor transfer's profile, field by field: the values each window's
// exchange with the radio depends on (addresses, retries, handshake, display
// order, pacing, texts, where a failure shows), and that a completed read
// unpacks and then redraws its window exactly once.
#include <gtest/gtest.h>

#include <QString>
#include <vector>
#include <string>

#include "data/shared_state.h"
#include "link/adj_link.h"
#include "link/chann_link.h"
#include "link/dtmf_link.h"
#include "link/fm_link.h"
#include "link/link_engine.h"
#include "link/link_timing.h"
#include "link/option_link.h"
#include "link/tone2_link.h"
#include "link/tone5_link.h"

namespace {

// A pause or delay by the name of its constant where it has one, so that the
// pin follows a retuned constant and still catches a field that took another.
std::string Ms(int ms) {
  if (ms == link_timing::Pause_Long_Ms) return "Pause_Long_Ms";
  if (ms == link_timing::Pause_Short_Ms) return "Pause_Short_Ms";
  if (ms == link_timing::Pause_Frame_Ms) return "Pause_Frame_Ms";
  if (ms == link_timing::Pump_Start_Ms) return "Pump_Start_Ms";
  return std::to_string(ms);
}

std::string Text(const char* name, const Zh_En& t) {
  return std::string(name) + "=" + t.zh + "|" + t.en;
}

// One line per field, in declaration order.
std::vector<std::string> Describe(const Link_Profile& p) {
  auto n = [](const char* name, long long v) { return std::string(name) + "=" + std::to_string(v); };
  auto m = [](const char* name, int v) { return std::string(name) + "=" + Ms(v); };
  const Link_Texts& t = p.Texts;
  const Fail_Report& f = p.Fail;
  return {
      n("Read_Base", p.Read_Base), n("Read_Last", p.Read_Last), n("Read_First", p.Read_First),
      n("Write_Base", p.Write_Base), n("Write_First", p.Write_First), n("Write_Count", p.Write_Count),
      n("Retry_Read", p.Retry_Read), n("Retry_Write", p.Retry_Write), m("Retry_Delay", p.Retry_Delay),
      n("Ident_Ack", static_cast<int>(p.Ident_Ack)), m("Ident_Pause_Ms", p.Ident_Pause_Ms),
      n("Pass", static_cast<int>(p.Pass)), n("Pass_Ack", static_cast<int>(p.Pass_Ack)),
      m("Pass_Pause_Ms", p.Pass_Pause_Ms), n("Decode", static_cast<int>(p.Decode)),
      n("Progress_After_Advance", p.Progress_After_Advance),
      n("Read_End_Display_First", p.Read_End_Display_First),
      n("Write_Label_Offset", p.Write_Label_Offset), n("Discard_Output_On_Open", p.Discard_Output_On_Open),
      m("Pump_Start_Ms", p.Pump_Start_Ms), m("Pump_Byte_Tick_Ms", p.Pump_Byte_Tick_Ms),
      m("Watchdog_In_Frame_Ms", p.Watchdog_In_Frame_Ms), m("Watchdog_After_Ms", p.Watchdog_After_Ms),
      m("Frame_Pause_Ms", p.Frame_Pause_Ms), n("Unpack", static_cast<bool>(p.Unpack)),
      n("Write_Row", static_cast<bool>(p.Write_Row)),
      Text("busy", t.busy), Text("busy_title", t.busy_title), Text("connecting", t.connecting),
      Text("reading_pre", t.reading_pre), Text("reading_post", t.reading_post),
      Text("writing_pre", t.writing_pre), Text("writing_post", t.writing_post),
      Text("read_done", t.read_done), Text("read_done_title", t.read_done_title),
      Text("read_label", t.read_label), Text("write_done", t.write_done),
      Text("write_done_title", t.write_done_title), Text("write_label", t.write_label),
      Text("fail", t.fail), Text("fail_title", t.fail_title), Text("fail_label", t.fail_label),
      Text("port_error", t.port_error), Text("port_title", t.port_title),
      Text("pass_error", t.pass_error), Text("pass_title", t.pass_title),
      n("Fail.message", f.message), n("Fail.bar_zero", f.bar_zero), n("Fail.label", f.label),
      n("Fail.panel2", f.panel2), n("Fail.hide_bar_first", f.hide_bar_first),
      n("Fail.main_panels", f.main_panels),
  };
}

// The fields in which p departs from a default-constructed profile.
std::string Departures(const Link_Profile& p) {
  const auto base = Describe(Link_Profile{});
  const auto mine = Describe(p);
  std::string out;
  for (size_t i = 0; i < mine.size(); ++i)
    if (mine[i] != base[i]) out += mine[i] + "\n";
  return out;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

}  // namespace


// The default profile, field by field: what every profile below leaves alone.
TEST(ProfileFields, DefaultProfile) {
  EXPECT_EQ(Joined(Describe(Link_Profile{})),
            "Read_Base=0\n"
            "Read_Last=0\n"
            "Read_First=2\n"
            "Write_Base=0\n"
            "Write_First=0\n"
            "Write_Count=0\n"
            "Retry_Read=3\n"
            "Retry_Write=3\n"
            "Retry_Delay=3000\n"
            "Ident_Ack=1\n"
            "Ident_Pause_Ms=Pause_Long_Ms\n"
            "Pass=1\n"
            "Pass_Ack=0\n"
            "Pass_Pause_Ms=Pause_Short_Ms\n"
            "Decode=0\n"
            "Progress_After_Advance=0\n"
            "Read_End_Display_First=0\n"
            "Write_Label_Offset=0\n"
            "Discard_Output_On_Open=0\n"
            "Pump_Start_Ms=Pump_Start_Ms\n"
            "Pump_Byte_Tick_Ms=0\n"
            "Watchdog_In_Frame_Ms=2000\n"
            "Watchdog_After_Ms=1000\n"
            "Frame_Pause_Ms=0\n"
            "Unpack=0\n"
            "Write_Row=0\n"
            "busy=正在与对讲机进行读写操作 ！|Read-write operating with transceiver .\n"
            "busy_title=操作提示|Operate prompt\n"
            "connecting=正在与对讲机联络 ！|Connecting with transceiver. \n"
            "reading_pre=正在读取 |Reading \n"
            "reading_post= 数据块| Data Block\n"
            "writing_pre=正在写入  |Writing  \n"
            "writing_post=  数据块|  Data Block\n"
            "read_done=从对讲机中读取数据完毕 ！|Complete reading data from the transceiver.\n"
            "read_done_title=操作提示|Operate prompt\n"
            "read_label=数据读出正常 ！|Read Data is Ok ！\n"
            "write_done=向对讲机写入数据完毕 ！|Complete Written the data to transceiver.\n"
            "write_done_title=操作提示|Operate prompt\n"
            "write_label=参数写入完毕 ！|Data Writed ！\n"
            "fail=与对讲机联络失败 ！|Fail connect with transceiver.\n"
            "fail_title=操作提示|Operate prompt\n"
            "fail_label=与对讲机通讯故障 ！|Communication fault.\n"
            "port_error=通讯端口打开错误，请正确设置通讯端口 ！|Communication port is error, please setting right communication port . ！\n"
            "port_title=操作提示|Operate prompt\n"
            "pass_error=读写数据命令字错误，禁止读出|PassWord Error, Reading Stop\n"
            "pass_title=操作提示|Operate Prompt\n"
            "Fail.message=1\n"
            "Fail.bar_zero=1\n"
            "Fail.label=1\n"
            "Fail.panel2=0\n"
            "Fail.hide_bar_first=0\n"
            "Fail.main_panels=0\n");
}

// Each editor's profile as its departures from the default profile.
TEST(ProfileFields, EditorProfilesDepartFromTheDefaultExactlyHere) {
  const int saved_count = Chann_Count;
  Chann_Count = 200;  // the channel transfer's counts follow the channels in use
  const std::function<void()> show = [] {};
  const struct {
    const char* name;
    Link_Profile profile;
    const char* expected;
  } cases[] = {
      {"dtmf", Dtmf_Link_Profile(show),
       "Read_Base=10496\n"
       "Read_Last=8\n"
       "Write_Base=10496\n"
       "Write_Count=32\n"
       "Retry_Delay=2000\n"
       "Progress_After_Advance=1\n"
       "Read_End_Display_First=1\n"
       "Unpack=1\n"
       "read_done=从对讲机中读取数据完毕 ！|Complete reading the data from transceiver.\n"
       "read_done_title=操作提示|Operate Prompt\n"
       "read_label=DTMF 信令参数读出正常 ！|Read DTMF Signal parameters in gear. \n"
       "write_done=向对讲机写入 DTMF 信令参数完毕 ！|Complete Written DTMF Signal parameters to the transceiver.\n"
       "write_done_title=操作提示|Operate Prompt\n"
       "write_label=DTMF 信令参数写入完毕 ！|Complete Written DTMF Signal parameters \n"
       "port_error=通讯端口打开错误，请正确设置通讯端口 ！|Communication Port Open Error ！\n"
       "port_title=操作提示|Operate Prompt\n"
       "Fail.message=0\n"
       "Fail.bar_zero=0\n"
       "Fail.label=0\n"
       "Fail.panel2=1\n"},
      {"tone2", Tone2_Link_Profile(show),
       "Read_Base=11520\n"
       "Read_Last=12\n"
       "Write_Base=11520\n"
       "Write_Count=48\n"
       "Progress_After_Advance=1\n"
       "Read_End_Display_First=1\n"
       "Write_Label_Offset=-1\n"
       "Unpack=1\n"
       "read_done=从对讲机中读取数据完毕 ！|Complete reading the data from transceiver.\n"
       "read_done_title=操作提示|Operate Prompt\n"
       "read_label=信令参数读出正常 ！|Read Signal parameters in gear. \n"
       "write_done=向对讲机写入信令参数完毕 ！|Complete Written Signal parameters to the transceiver.\n"
       "write_done_title=操作提示|Operate Prompt\n"
       "write_label=信令参数写入完毕 ！|Complete Written Signal parameters \n"
       "port_error=通讯端口打开错误，请正确设置通讯端口 ！|Communication Port Open Error ！\n"
       "port_title=操作提示|Operate Prompt\n"},
      {"tone5", Tone5_Link_Profile(show),
       "Read_Base=9216\n"
       "Read_Last=8\n"
       "Write_Base=8192\n"
       "Write_Count=96\n"
       "Progress_After_Advance=1\n"
       "Read_End_Display_First=1\n"
       "Write_Label_Offset=-1\n"
       "Unpack=1\n"
       "read_done=从对讲机中读取数据完毕 ！|Complete reading the data from transceiver.\n"
       "read_done_title=操作提示|Operate Prompt\n"
       "read_label=信令参数读出正常 ！|Read Signal parameters in gear. \n"
       "write_done=向对讲机写入信令参数完毕 ！|Complete Written Signal parameters to the transceiver.\n"
       "write_done_title=操作提示|Operate Prompt\n"
       "write_label=信令参数写入完毕 ！|Complete Written Signal parameters \n"
       "port_error=通讯端口打开错误，请正确设置通讯端口 ！|Communication Port Open Error ！\n"
       "port_title=操作提示|Operate Prompt\n"},
      {"option", Option_Link_Profile(show),
       "Read_Base=3584\n"
       "Read_Last=8\n"
       "Write_Base=3584\n"
       "Write_Count=32\n"
       "Progress_After_Advance=1\n"
       "Read_End_Display_First=1\n"
       "Frame_Pause_Ms=Pause_Frame_Ms\n"
       "Unpack=1\n"
       "read_done=从对讲机中读取数据完毕 ！|Complete reading the data from transceiver.\n"
       "read_done_title=操作提示|Operate Prompt\n"
       "read_label=可选参数读出正常 ！|Read optional parameters in gear. \n"
       "write_done=向对讲机写入可选参数完毕 ！|Complete writing optional parameters to the transceiver.\n"
       "write_done_title=操作提示|Operate Prompt\n"
       "write_label=可选参数写入完毕 ！|Complete writing optional parameters \n"
       "port_error=通讯端口打开错误，请正确设置通讯端口 ！|Communication Port Open Error ！\n"
       "port_title=操作提示|Operate Prompt\n"},
      {"fm", Fm_Link_Profile(),
       "Read_Base=12288\n"
       "Read_Last=4\n"
       "Write_Base=12288\n"
       "Write_Count=16\n"
       "Pass=2\n"
       "Progress_After_Advance=1\n"
       "Read_End_Display_First=1\n"
       "Unpack=1\n"
       "read_done=从对讲机中读取数据完毕 ！|Complete reading the data from transceiver.\n"
       "read_done_title=操作提示|Operate Prompt\n"
       "read_label= FM 收音机参数读出正常 ！|Read FM Radio parameters in gear. \n"
       "write_done=向对讲机写入参数完毕 ！|Complete Written FM parameters to the transceiver.\n"
       "write_done_title=操作提示|Operate Prompt\n"
       "write_label=收音机参数写入完毕 ！|Complete Written FM parameters \n"},
      {"adj", Adj_Link_Profile(show),
       "Read_Base=15360\n"
       "Read_Last=8\n"
       "Write_Base=15360\n"
       "Write_First=24\n"
       "Write_Count=28\n"
       "Retry_Delay=2000\n"
       "Ident_Ack=2\n"
       "Pass=0\n"
       "Progress_After_Advance=1\n"
       "Read_End_Display_First=1\n"
       "Write_Label_Offset=-1\n"
       "Unpack=1\n"
       "Write_Row=1\n"
       "read_done=从对讲机中读取调整数据完毕 ！|Complete reading the data from transceiver.\n"
       "read_done_title=操作提示|Operate Prompt\n"
       "read_label=调整参数读出正常 ！|Read optional parameters in gear. \n"
       "write_done=调整参数写入完毕 ！|Complete writing optional parameters to the transceiver.\n"
       "write_done_title=操作提示|Operate Prompt\n"
       "write_label=调整参数写入完毕 ！|Complete writing optional parameters \n"
       "port_error=通讯端口打开错误，请正确设置通讯端口 ！|Communication Port Open Error ！\n"
       "port_title=操作提示|Operate Prompt\n"
       "Fail.message=0\n"
       "Fail.bar_zero=0\n"
       "Fail.label=0\n"
       "Fail.panel2=1\n"},
      {"chann", Chann_Link_Profile(),
       "Read_Last=51\n"
       "Read_First=1\n"
       "Write_Count=200\n"
       "Retry_Write=1\n"
       "Retry_Delay=1500\n"
       "Decode=1\n"
       "Progress_After_Advance=1\n"
       "Write_Label_Offset=-1\n"
       "Unpack=1\n"
       "writing_pre=正在写入  |Writeing  \n"
       "writing_post=  信道|  Channel\n"
       "read_label=信道数据读出正常 ！|Read Channel Data is Ok ！\n"
       "write_done=向对讲机写入数据完毕 ！|Complete writing the data to transceiver.\n"
       "write_label=信道数据写入完毕 ！|Channel Data Writed ！\n"
       "Fail.bar_zero=0\n"
       "Fail.label=0\n"
       "Fail.panel2=1\n"},
  };
  Chann_Count = saved_count;
  for (const auto& c : cases) EXPECT_EQ(Departures(c.profile), c.expected) << c.name;
}

// A completed read unpacks the replies, then redraws the window once; a
// profile made without a redraw only unpacks.
TEST(ProfileFields, UnpackThenShowOnce) {
  using Make = Link_Profile (*)(std::function<void()>);
  const struct {
    const char* name;
    Make make;
  } cases[] = {{"dtmf", &Dtmf_Link_Profile},   {"tone2", &Tone2_Link_Profile}, {"tone5", &Tone5_Link_Profile},
               {"option", &Option_Link_Profile}, {"adj", &Adj_Link_Profile}};
  for (const auto& c : cases) {
    int shown = 0;
    Link_Profile p = c.make([&shown] { ++shown; });
    Link_Engine engine(p);
    ASSERT_TRUE(p.Unpack) << c.name;
    p.Unpack(engine);
    EXPECT_EQ(shown, 1) << c.name;
    Link_Profile quiet = c.make({});
    quiet.Unpack(engine);  // no redraw to call: nothing else happens
  }
}
