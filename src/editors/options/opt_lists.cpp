#include "opt_lists.h"

#include "data/opt_positions.h"
#include "data/shared_state.h"

int List_Items::Count() const {
  switch (rule) {
    case Rule::Offset: return 2000;
    case Rule::Tone: return 261;
    case Rule::Alarm: return 200;
    case Rule::Timeout: return 40;
    case Rule::Fixed: break;
  }
  return static_cast<int>(fixed.size()) + numbers;
}

QStringList List_Items::Texts(bool zh) const {
  QStringList out;
  switch (rule) {
    case Rule::Offset:
      for (int i = 0; i < 2000; ++i) {
        const int khz = i * 50;
        out << QString("%1.%2MHZ").arg(khz / 1000, 2, 10, QChar('0')).arg(khz % 1000, 3, 10, QChar('0'));
      }
      return out;
    case Rule::Tone:
      out << (zh ? QString::fromUtf8("关") : QString("OFF"));
      for (int i = 1; i <= 260; ++i) out << Tone_Name[i].trimmed();
      return out;
    case Rule::Alarm:
      for (int i = 0; i < 200; ++i) out << QString("CH-%1").arg(i, 3, 10, QChar('0'));
      return out;
    case Rule::Timeout:
      for (int i = 0; i < 40; ++i) out << QString::number((i + 1) * 15);
      return out;
    case Rule::Fixed:
      break;
  }
  for (const Item_Text& t : fixed) out << QString::fromUtf8(zh && t.zh ? t.zh : t.en);
  for (int i = 0; i < numbers; ++i) out << QString::number(first + i);
  return out;
}

namespace {
using R = List_Items::Rule;

// ---- item tables, one per list (lists with the same items share one) ----------

constexpr Item_Text On_Off_Items[] = {{"OFF", "关闭"}, {"ON", "开启"}};
constexpr Item_Text Colour_Items[] = {{"White", "白色"},  {"Red", "红色"},    {"Blue", "蓝色"},
                                      {"Green", "绿色"},  {"Yellow", "黄色"}, {"Indigo", "青色"},
                                      {"Purple", "紫色"}, {"Gray", "灰色"}};
constexpr Item_Text Off_Guan[] = {{"OFF", "关"}};
constexpr Item_Text Off_Guanbi[] = {{"OFF", "关闭"}};
constexpr Item_Text Sc_Rev_Items[] = {{"TO", "时间"}, {"CO", "载波"}, {"SE", "搜索"}};
constexpr Item_Text Ptt_Id_Items[] = {
    {"OFF", "关"}, {"BOT", "按下发码"}, {"EOT", "松开发码"}, {"BOTH", "两者均发"}};
constexpr Item_Text Emc_Tp_Items[] = {{"Alarm", "现场"}, {"Transpond", "远程"}, {"Both", "现场+远程"}};
constexpr Item_Text Mdf_Items[] = {
    {"Channel+Frequency", "频率+信道号"}, {"Channel", "信道号"}, {"Channel+Name", "信道名称+信道号"}};
constexpr Item_Text Ani_L_Items[] = {{"3"}, {"4"}, {"5"}};
constexpr Item_Text Rep_S_Items[] = {{"1000Hz"}, {"1450Hz"}, {"1750Hz"}, {"2100Hz"}};
constexpr Item_Text Language_Items[] = {{"English", "英文"}, {"Chinese", "中文"}};
constexpr Item_Text Spk_Items[] = {{"i SPK", "机内喇叭"}, {"o SPK", "面盖喇叭"}};
constexpr Item_Text Mic_Items[] = {{"Host", "主机"}, {"Panel", "面盖"}};
constexpr Item_Text Roger_Items[] = {{"OFF", "关闭"}, {"ON", "开启"}, {"ON+SP", "开启+本机响"}};
// VFO frames.
constexpr Item_Text Txp_Items[] = {{"HIGH", "高功率"}, {"LOW", "低功率"}};
constexpr Item_Text Wn_Items[] = {{"WIDE", "宽带"}, {"NARROR", "窄带"}};
constexpr Item_Text Sft_Items[] = {{"OFF", "关"}, {"+", "加频"}, {"-", "减频"}};
constexpr Item_Text Step_Items[] = {{"2.50 KHZ"},  {"5.00 KHZ"},  {"6.25 KHZ"},
                                    {"10.00 KHZ"}, {"12.50 KHZ"}, {"25.00 KHZ"}};
constexpr Item_Text Optsig_Items[] = {{"OFF", "关"}, {"DTMF"}, {"2TONE"}, {"5TONE"}};
constexpr Item_Text Spmute_Items[] = {{"QT/DQT", "哑音"},
                                      {"QT/DQT AND OPTSIG", "哑音与可选信令"},
                                      {"QT/DQT OR OPTSIG", "哑音或可选信令"}};

const List_Items Sql{R::Fixed, {}, 10, 0};
const List_Items Tot{R::Timeout};
const List_Items Sc_Rev{R::Fixed, Sc_Rev_Items};
const List_Items Ptt_Id{R::Fixed, Ptt_Id_Items};
const List_Items Ptt_Lt{R::Fixed, {}, 31, 0};
const List_Items Emc_Tp{R::Fixed, Emc_Tp_Items};
const List_Items Emc_Ch{R::Alarm};
const List_Items Mdf{R::Fixed, Mdf_Items};
const List_Items Ani_L{R::Fixed, Ani_L_Items};
const List_Items Rep_S{R::Fixed, Rep_S_Items};
const List_Items Tdr_Ab{R::Fixed, Off_Guan, 50, 1};
const List_Items Rp_Ste{R::Fixed, Off_Guanbi, 10, 1};
const List_Items Language{R::Fixed, Language_Items};
const List_Items Spk_Sw{R::Fixed, Spk_Items};
const List_Items Mic_Sele{R::Fixed, Mic_Items};
const List_Items Roger{R::Fixed, Roger_Items};
const List_Items Abr{R::Fixed, Off_Guan, 250, 1};
const List_Items Apo{R::Fixed, Off_Guan, 200, 1};
const List_Items Vox{R::Fixed, Off_Guanbi, 10, 1};
const List_Items Vox_T{R::Fixed, {}, 21, 0};
const List_Items Dtmf_Gain{R::Fixed, {}, 128, 0};
const List_Items Txp{R::Fixed, Txp_Items};
const List_Items Wn{R::Fixed, Wn_Items};
const List_Items Sft_D{R::Fixed, Sft_Items};
const List_Items Step{R::Fixed, Step_Items};
const List_Items Optsig{R::Fixed, Optsig_Items};
const List_Items Spmute{R::Fixed, Spmute_Items};
const List_Items S_Info{R::Fixed, {}, 15, 1};
const List_Items Scr{R::Fixed, Off_Guanbi, 8, 1};
}  // namespace

namespace opt_items {
const List_Items On_Off{R::Fixed, On_Off_Items};
const List_Items Colour{R::Fixed, Colour_Items};
const List_Items Offset{R::Offset};
const List_Items Tone{R::Tone};
}  // namespace opt_items

namespace {
using opt_items::Colour;
using opt_items::On_Off;

// The English captions of the five labels whose lists were designed without
// one: the automatic backlight, the Bluetooth adapter, the channel display
// synchronisation and the roger tones at pressing and at releasing PTT.
constexpr Caption Abr_Caption{"Auto Backlight", "自动背光"};
constexpr Caption Rep_M_Caption{"Bluetooth", "蓝牙适配器"};
constexpr Caption Sync_Caption{"Channel Sync", "信道同步显示"};
constexpr Caption B_Roger_Caption{"PTT Press Roger", "按下发送提示音"};
constexpr Caption E_Roger_Caption{"PTT Release Roger", "松开发送提示音"};

// The option-block lists in the order the redraw shows them.
const Opt_Block_List Block_Lists[] = {
    {"Combo_Tdr", "Label_Tdr", {"TDR", "多频守侯"}, &Opt_Pos_Tdr, &On_Off},
    {"Combo_Sql", "Label_Sql", {"Squelch Level", "静噪电平"}, &Opt_Pos_Sql, &Sql},
    {"Combo_tot", "Label_Tot", {"Time Out Timer(TOT)[S]", "发射超时定时器（秒）"}, &Opt_Pos_tot, &Tot},
    {"Combo_Beep", "Label_Beep", {"Beep", "操作提示音"}, &Opt_Pos_Beep, &On_Off},
    {"Combo_Dtmfst", "Label_Stdtmf", {"DTMF-ST", "DTMF侧音"}, &Opt_Pos_Dtmfst, &On_Off},
    {"Combo_Bcl", "Label_Bcl", {"BCL", "遇忙禁发"}, &Opt_Pos_Bcl, &On_Off},
    {"Combo_Sc_Add", "Label_Sc_Add", {"Scan Add", "扫描添加"}, &Opt_Pos_Sc_Add, &On_Off},
    {"Combo_Sc_rev", "Label_Scan_rev", {"Scan_Rev", "扫描方式"}, &Opt_Pos_Sc_rev, &Sc_Rev},
    {"Combo_Ptt_id", "Label_ptt_id", {"PTT_ID", "PTT_ID"}, &Opt_Pos_Ptt_id, &Ptt_Id},
    {"Combo_Ptt_lt", "Label_Ptt_Lt", {"PTT_Delay", "发ID延迟"}, &Opt_Pos_Ptt_lt, &Ptt_Lt},
    {"Combo_Emc_Tp", "Label_Emc_tp", {"Alarm Type", "报警模式"}, &Opt_Pos_Emc_Tp, &Emc_Tp},
    {"Combo_Emc_Ch", "Label_Emc_ch", {"Alarm Channel", "报警信道"}, &Opt_Pos_Emc_Ch, &Emc_Ch},
    {"Combo_optsig_bp", "Label_Optsig_bp", {"Optsig Beep", "接收到有效信令提醒"}, &Opt_Pos_optsig_bp, &On_Off},
    {"Combo_MDF_A", "Label_MDF_A", {"A Channel Disp Way", "A 区信道显示方式"}, &Opt_Pos_MDF_A, &Mdf},
    {"Combo_MDF_B", "Label_MDF_B", {"B Channel Disp Way", "B 区信道显示方式"}, &Opt_Pos_MDF_B, &Mdf},
    {"Combo_Autolk", "Label_Autolk", {"Auto Lock", "自动锁"}, &Opt_Pos_Autolk, &On_Off},
    {"Combo_ANI_L", "Label_ANI_L", {"Lang", "身份码长"}, &Opt_Pos_ANI_L, &Ani_L},
    {"Combo_REP_S", "Label_REP_S", {"Relay Signal ", "中继激活信令"}, &Opt_Pos_REP_S, &Rep_S},
    {"Combo_Pon_Key", "Label_Pon_Key", {"Pon Key", "加电按键开机"}, &Opt_Pos_Pon_Key, &On_Off},
    {"Combo_Killed_En", "Label_Killed_En", {"Killed SW", "遥晕遥毙开关"}, &Opt_Pos_Killed_En, &On_Off},
    {"Combo_TDR_AB", "Label_Tdr_AB", {"TDR Return AB ", "双守返回主频"}, &Opt_Pos_TDR_AB, &Tdr_Ab},
    {"Combo_STE", "Label_STE", {"Tail noise Clear ", "尾音消除"}, &Opt_Pos_STE, &On_Off},
    {"Combo_RP_STE", "Label_RP_STE", {"RPT noise Clear", "过中继消尾音"}, &Opt_Pos_RP_STE, &Rp_Ste},
    {"Combo_Language", "Label_Language", {"Menu Language", "菜单语言"}, &Opt_Pos_Language, &Language},
    {"Combo_vox", "Label_vox", {"VOX", "声控发射"}, &Opt_Pos_vox, &Vox},
    {"Combo_vox_t", "Label_vox_t", {"VOX Delay", "声控发射启动延迟"}, &Opt_Pos_vox_t, &Vox_T},
    {"Combo_spk_sw", "Label_spk_sw", {"SPK SELE", "喇叭选择"}, &Opt_Pos_spk_sw, &Spk_Sw},
    {"Combo_mic_sele", "Label_mic_sele", {"MIC SELE", "手咪接口"}, &Opt_Pos_mic_sele, &Mic_Sele},
    {"Combo_Apo", "Label_Apo", {"APO", "自动关机"}, &Opt_Pos_Apo, &Apo},
    {"Combo_Sync", "Label_Sync", Sync_Caption, &Opt_Pos_Sync, &On_Off},
    {"Combo_B_roger", "Label_B_roger", B_Roger_Caption, &Opt_Pos_B_roger, &Roger},
    {"Combo_E_roger", "Label_E_roger", E_Roger_Caption, &Opt_Pos_E_roger, &Roger},
    {"Combo_Abr", "Label_Abr", Abr_Caption, &Opt_Pos_Abr, &Abr},
    {"Combo_Dtmf_Gain", "Label_Dtmf_Gain", {"DTMF Gain", "手咪增益"}, &Opt_Pos_Dtmf_Gain, &Dtmf_Gain},
    {"Combo_Rep_M", "Label_Rep_M", Rep_M_Caption, &Opt_Pos_Rep_M, &On_Off},
    {"Combo_stat_fc", "Label_Stat_fc", {"Above Stat Fore Color", "状态条字符色"}, &Opt_Pos_stat_fc, &Colour},
    {"Combo_sfa_fc", "Label_sfa_fc", {"A - Fore Color", "A-字符颜色"}, &Opt_Pos_sfa_fc, &Colour},
    {"Combo_sfb_fc", "Label_sfb_fc", {"B - Fore Color", "B-字符颜色"}, &Opt_Pos_sfb_fc, &Colour},
    {"Combo_batt_fc", "Label_Batt_fc", {"BATT Fore Color", "电压显示颜色"}, &Opt_Pos_batt_fc, &Colour},
    {"Combo_sig_fc", "Label_Sig_fc", {"Signale Fore Color", "信号条字符色"}, &Opt_Pos_sig_fc, &Colour},
    {"Combo_menu_fc", "Label_menu_fc", {"Menu Fore Color", "菜单字符颜色"}, &Opt_Pos_menu_fc, &Colour},
    {"Combo_tx_fc", "Label_tx_fc", {"TX Fore Color", "发射-字符色"}, &Opt_Pos_tx_fc, &Colour},
    {"Combo_rx_fc", "Label_rx_fc", {"RX Fore Color", "接收-字符色"}, &Opt_Pos_rx_fc, &Colour},
};

using F = Vfo_List::Field;
const Vfo_List Frame_Lists[] = {
    {"Combo_Offset_A", "Combo_offset_b", "Label_Offset_A", "Label_Offset_B", {"Offset", "频差频率"},
     F::Offset, 8, &opt_items::Offset},
    {"Combo_r_ctdcs_a", "Combo_r_ctdcs_b", "Label_r_ctdcs_a", "Label_r_ctdcs_b", {"RX QT/DQT", "接收哑音"},
     F::Tone, 0, &opt_items::Tone},
    {"Combo_t_ctdcs_a", "Combo_t_ctdcs_b", "Label_t_ctdcs_a", "Label_t_ctdcs_b", {"TX QT/DQT", "发射哑音"},
     F::Tone, 2, &opt_items::Tone},
    {"Combo_S_info_a", "Combo_S_info_b", "Label_S_info_a", "Label_S_info_b", {"Signal Code", "信令编码"},
     F::Setting, 4, &S_Info},
    {"Combo_Spmute_a", "Combo_Spmute_b", "Label_Spmute_a", "Label_Spmute_b", {"Speak Mute", "信令关系"},
     F::Setting, 5, &Spmute},
    {"Combo_Optsig_a", "Combo_OptSig_b", "Label_Optsig_a", "Label_OptSig_b",
     {"Optional Signal", "可选信令"}, F::Setting, 6, &Optsig},
    {"Combo_Scr_a", "Combo_Scr_b", "Label_scr_a", "Label_Scr_b", {"SCR", "扰频"}, F::Setting, 7, &Scr},
    {"Combo_wn_a", "Combo_wn_b", "Label_wn_a", "Label_wn_b", {"W/N", "信道带宽"}, F::Setting, 8, &Wn},
    {"Combo_txp_a", "Combo_txp_b", "Label_Txp_a", "Label_txp_b", {"TX Power", "发射功率"}, F::Setting, 9, &Txp},
    {"Combo_sft_d_a", "Combo_sft_d_b", "Label_sft_d_a", "Label_sft_d_b", {"SFT_D", "频差方向"},
     F::Setting, 10, &Sft_D},
    {"Combo_step_a", "Combo_step_b", "Label_step_a", "Label_step_b", {"Step Frequency", "步进频率"},
     F::Setting, 11, &Step},
};
}  // namespace

std::span<const Opt_Block_List> Opt_Block_Lists() { return Block_Lists; }
std::span<const Vfo_List> Vfo_Lists() { return Frame_Lists; }
