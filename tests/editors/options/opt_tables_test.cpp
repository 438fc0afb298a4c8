// The option block's byte map, the items of every list and the working-copy
// rule, checked against tables.
#include <gtest/gtest.h>

#include <QSet>
#include <set>

#include "data/image_map.h"
#include "data/opt_default.h"
#include "data/opt_positions.h"
#include "data/tone_table.h"
#include "editors/image_rows.h"
#include "editors/options/opt_block.h"
#include "editors/options/opt_lists.h"

namespace {
void Start_Like_The_Program() {
  Shared_Reset();
  Tone_Init();
  Opt_PosInit();
  Image_Fill();
  Opt_Default();
}

const Opt_Block_List* Block_List(const char* name) {
  for (const auto& l : Opt_Block_Lists())
    if (QString(l.combo) == name) return &l;
  return nullptr;
}
const Vfo_List* Frame_List(const char* name_a) {
  for (const auto& l : Vfo_Lists())
    if (QString(l.combo_a) == name_a) return &l;
  return nullptr;
}
}  // namespace

TEST(OptByteMap, EveryListHasItsByteItemCountAndDefault) {
  struct Row {
    const char* list;
    int byte, items, def;
  } const map[] = {
      {"Combo_Tdr", 0x00, 2, 0},        {"Combo_Sql", 0x02, 10, 5},       {"Combo_tot", 0x05, 40, 3},
      {"Combo_Autolk", 0x07, 2, 0},     {"Combo_Language", 0x08, 2, 0},   {"Combo_Beep", 0x09, 2, 1},
      {"Combo_Dtmfst", 0x0E, 2, 1},     {"Combo_Bcl", 0x0F, 2, 0},        {"Combo_Sc_Add", 0x10, 2, 1},
      {"Combo_Sc_rev", 0x11, 3, 0},     {"Combo_Ptt_id", 0x14, 4, 0},     {"Combo_Ptt_lt", 0x15, 31, 5},
      {"Combo_Emc_Tp", 0x17, 3, 2},     {"Combo_Emc_Ch", 0x18, 200, 1},   {"Combo_optsig_bp", 0x19, 2, 1},
      {"Combo_MDF_A", 0x1B, 3, 0},      {"Combo_MDF_B", 0x1C, 3, 0},      {"Combo_vox", 0x1E, 11, 0},
      {"Combo_vox_t", 0x1F, 21, 5},     {"Combo_stat_fc", 0x20, 8, 5},    {"Combo_sfa_fc", 0x21, 8, 0},
      {"Combo_sfb_fc", 0x22, 8, 0},     {"Combo_batt_fc", 0x23, 8, 4},    {"Combo_sig_fc", 0x24, 8, 5},
      {"Combo_menu_fc", 0x25, 8, 4},    {"Combo_tx_fc", 0x26, 8, 6},      {"Combo_rx_fc", 0x27, 8, 3},
      {"Combo_ANI_L", 0x2D, 3, 2},      {"Combo_REP_S", 0x2E, 4, 2},      {"Combo_Apo", 0x2F, 201, 0},
      {"Combo_TDR_AB", 0x30, 51, 10},   {"Combo_STE", 0x31, 2, 1},        {"Combo_RP_STE", 0x32, 11, 5},
      {"Combo_Sync", 0x33, 2, 0},       {"Combo_Dtmf_Gain", 0x34, 128, 10}, {"Combo_Pon_Key", 0x35, 2, 0},
      {"Combo_spk_sw", 0x36, 2, 1},     {"Combo_mic_sele", 0x37, 2, 1},   {"Combo_Rep_M", 0x38, 2, 0},
      {"Combo_Abr", 0x39, 251, 0},      {"Combo_B_roger", 0x3A, 3, 0},    {"Combo_E_roger", 0x3B, 3, 0},
      {"Combo_Killed_En", 0x3D, 2, 0},
  };
  Start_Like_The_Program();
  ASSERT_EQ(Opt_Block_Lists().size(), std::size(map));
  std::set<int> bytes;
  for (const Row& r : map) {
    const Opt_Block_List* l = Block_List(r.list);
    ASSERT_NE(l, nullptr) << r.list;
    EXPECT_EQ(*l->pos, r.byte) << r.list;
    EXPECT_EQ(l->items->Count(), r.items) << r.list;
    EXPECT_EQ(l->items->Texts(false).size(), r.items) << r.list;
    EXPECT_EQ(l->items->Texts(true).size(), r.items) << r.list;
    EXPECT_EQ(Opt_Bytes[r.byte], r.def) << r.list;
    EXPECT_EQ(Radio_Image[224 + r.byte / 16][r.byte % 16], r.def) << r.list;
    EXPECT_TRUE(bytes.insert(r.byte).second) << r.list << " shares its byte";
  }
  // The power-on key has the one start-up position that had neither list nor default.
  EXPECT_EQ(Opt_Pos_Pon_Key, 0x35);
}

TEST(OptByteMap, BytesWithoutAListAndTheCodeAreas) {
  struct Row {
    int byte, def;
  } const plain[] = {{0x01, 3}, {0x03, 0}, {0x04, 0}, {0x06, 0}, {0x0A, 0}, {0x0B, 0}, {0x0C, 0},
                     {0x0D, 0}, {0x12, 0}, {0x13, 0}, {0x16, 0}, {0x1A, 0}, {0x1D, 0}, {0x28, 0},
                     {0x29, 0}, {0x2A, 0}, {0x2B, 0}, {0x2C, 0}, {0x3C, 1}, {0x84, 31}, {0x85, 1}};
  Start_Like_The_Program();
  // Positions without a default keep what the working copy held.
  for (int k = 0; k <= 255; ++k) Opt_Bytes[k] = 0x42;
  Opt_Default();
  for (const Row& r : plain) EXPECT_EQ(Opt_Bytes[r.byte], r.def) << std::hex << r.byte;
  for (int k : {0x3E, 0x50, 0x65, 0x66, 0x83, 0x86, 0xCF}) EXPECT_EQ(Opt_Bytes[k], 0x42) << std::hex << k;
  const int ani[] = {8, 0, 8, 0, 8}, begin[] = {1, 2, 3, 4, 5}, end[] = {9, 8, 7, 6, 5};
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(Opt_Bytes[0xD0 + k], k < 5 ? ani[k] : 255);
    EXPECT_EQ(Opt_Bytes[0xE0 + k], k < 5 ? begin[k] : 255);
    EXPECT_EQ(Opt_Bytes[0xF0 + k], k < 5 ? end[k] : 255);
  }
  // Every byte 0x00..0x3D has a position variable.
  std::set<int> positions;
#define CV_POS(name, pos, def) positions.insert(name);
  CV_OPT_POSITIONS(CV_POS)
#undef CV_POS
  for (int b = 0; b <= 0x3D; ++b) EXPECT_TRUE(positions.count(b)) << std::hex << b;
}

TEST(OptLists, ItemTextsInBothLanguages) {
  Shared_Reset();
  Tone_Init();
  struct Case {
    const List_Items* items;
    int index;
    const char* en;
    const char* zh;
  } const cases[] = {
      {&opt_items::Tone, 0, "OFF", "关"},
      {&opt_items::Tone, 1, "67.0", "67.0"},
      {&opt_items::Tone, 50, "254.1", "254.1"},
      {&opt_items::Tone, 51, "D023N", "D023N"},
      {&opt_items::Tone, 260, "D754I", "D754I"},
      {&opt_items::Offset, 0, "00.000MHZ", "00.000MHZ"},
      {&opt_items::Offset, 1, "00.050MHZ", "00.050MHZ"},
      {&opt_items::Offset, 10, "00.500MHZ", "00.500MHZ"},
      {&opt_items::Offset, 20, "01.000MHZ", "01.000MHZ"},
      {&opt_items::Offset, 1999, "99.950MHZ", "99.950MHZ"},
      {&opt_items::On_Off, 0, "OFF", "关闭"},
      {&opt_items::Colour, 5, "Indigo", "青色"},
      {Block_List("Combo_Emc_Ch")->items, 0, "CH-000", "CH-000"},
      {Block_List("Combo_Emc_Ch")->items, 199, "CH-199", "CH-199"},
      {Block_List("Combo_tot")->items, 0, "15", "15"},
      {Block_List("Combo_tot")->items, 39, "600", "600"},
      {Block_List("Combo_Sql")->items, 0, "0", "0"},
      {Block_List("Combo_Language")->items, 1, "Chinese", "中文"},
      {Block_List("Combo_Abr")->items, 0, "OFF", "关"},
      {Block_List("Combo_Abr")->items, 250, "250", "250"},
      {Block_List("Combo_RP_STE")->items, 0, "OFF", "关闭"},
      {Block_List("Combo_Ptt_id")->items, 3, "BOTH", "两者均发"},
      {Block_List("Combo_B_roger")->items, 2, "ON+SP", "开启+本机响"},
      {Block_List("Combo_MDF_B")->items, 2, "Channel+Name", "信道名称+信道号"},
      {Block_List("Combo_spk_sw")->items, 0, "i SPK", "机内喇叭"},
      {Block_List("Combo_REP_S")->items, 2, "1750Hz", "1750Hz"},
      {Frame_List("Combo_S_info_a")->items, 0, "1", "1"},
      {Frame_List("Combo_S_info_a")->items, 14, "15", "15"},
      {Frame_List("Combo_wn_a")->items, 1, "NARROR", "窄带"},
      {Frame_List("Combo_step_a")->items, 2, "6.25 KHZ", "6.25 KHZ"},
      {Frame_List("Combo_Spmute_a")->items, 1, "QT/DQT AND OPTSIG", "哑音与可选信令"},
      {Frame_List("Combo_Scr_a")->items, 8, "8", "8"},
      {Frame_List("Combo_sft_d_a")->items, 2, "-", "减频"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.items->Texts(false).value(c.index), QString::fromUtf8(c.en)) << c.en;
    EXPECT_EQ(c.items->Texts(true).value(c.index), QString::fromUtf8(c.zh)) << c.zh;
  }
  // Every offset item reads its own offset.
  const QStringList offsets = opt_items::Offset.Texts(false);
  EXPECT_EQ(QSet<QString>(offsets.begin(), offsets.end()).size(), 2000);
  // The frame lists: eleven, each with a count that fits its field.
  EXPECT_EQ(Vfo_Lists().size(), 11u);
  for (const Vfo_List& l : Vfo_Lists())
    EXPECT_EQ(l.items->Texts(false).size(), l.items->Texts(true).size()) << l.combo_a;
}

// ---- the working copy ---------------------------------------------------------------------

TEST(OptWorkingCopy, AStoreAfterAFileLoadKeepsTheLoadedBytes) {
  Start_Like_The_Program();
  Opt_Block_Load();  // the editor's last redraw
  // Another window rewrites the rows (a file load, a whole-radio read).
  for (int r = 224; r <= 239; ++r)
    for (int c = 0; c < 16; ++c) Radio_Image[r][c] = static_cast<int16_t>((r * 7 + c) % 200);
  const Image_Table loaded = Radio_Image;
  // One list click.
  Opt_Block_Store(Opt_Pos_Sql, 3);
  for (int k = 0; k <= 255; ++k) {
    const int want = k == Opt_Pos_Sql ? 3 : loaded[224 + k / 16][k % 16];
    ASSERT_EQ(Radio_Image[224 + k / 16][k % 16], want) << k;
    ASSERT_EQ(Opt_Bytes[k], want) << k;
  }
  // A code store does the same.
  for (int c = 0; c < 16; ++c) Radio_Image[230][c] = 77;
  const uint8_t code[16] = {1, 2, 3, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255};
  Opt_Block_Store_Run(Opt_Pos_ANI, code, 16);
  EXPECT_EQ(Image_Row16(230), Row_Of(77));
  EXPECT_EQ(Radio_Image[237][0], 1);
  EXPECT_EQ(Opt_Bytes[0x60], 77);
  // Nothing outside the block is written.
  for (int r : {223, 240, 254}) EXPECT_EQ(Radio_Image[r], loaded[r]) << r;
}

TEST(OptWorkingCopy, CellsOutsideAByteLoadAsErased) {
  Start_Like_The_Program();
  Radio_Image[224][2] = 300;
  Radio_Image[224][3] = -1;
  Opt_Block_Load();
  EXPECT_EQ(Opt_Bytes[2], 0xFF);
  EXPECT_EQ(Opt_Bytes[3], 0xFF);
  EXPECT_EQ(Opt_List_Shown(Opt_Bytes[2], 10), 9);
  EXPECT_EQ(Opt_List_Shown(1, 2), 1);
  EXPECT_EQ(Opt_List_Shown(200, 2), 1);
}
