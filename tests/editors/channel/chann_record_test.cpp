// The channel and name records, their cell texts and the commit rules of
// the cell editing, without a window.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "data/freq_codec.h"
#include "data/tone_table.h"
#include "editors/channel/chann_record.h"
#include "editors/image_rows.h"
#include "platform/code_page.h"
#include "support/msg_recorder.h"

namespace {
using namespace chann_col;
constexpr int F = 0xFF;

QString U(const char* s) { return QString::fromUtf8(s); }

class ChannModel : public ::testing::Test {
protected:
  void SetUp() override { Reset(); }
  void Reset() {
    Image_Start();
    Tone_Init();
    Chann_Count = 200;
    Band_Limits = {136, 174, 136, 174, 400, 480, 400, 480};
    Lang_Flag = 0;
  }
  void TearDown() override { Lang_Flag = 0; }

  void Set_Row(int image_row, const Row16& bytes) {
    for (int c = 0; c < 16; ++c) Radio_Image[image_row][c] = static_cast<int16_t>(bytes[c]);
  }
  // A channel with RX 145.50000, TX 150.00000, no tones and the default settings.
  void Set_Channel(int ch) {
    Set_Row(ch, {0x00, 0x00, 0x55, 0x14, 0x00, 0x00, 0x00, 0x15, 0, 0, 0, 0, 0, 0, 0, 0x04});
  }
  Row16 Name_Row(int ch) { return Image_Row16(Chann_Name_Row0 + ch); }

  Chann_Table g;
  Chann_Edit edit{g};
  Msg_Recorder rec;
};

// ---- decode --------------------------------------------------------------------

TEST_F(ChannModel, DecodeShowsEveryFieldByTheRecordTable) {
  struct Case {
    const char* what;
    Row16 rec;
    std::vector<std::pair<int, QString>> cells;
  } cases[] = {
      {"frequencies and tones",
       {0x00, 0x00, 0x85, 0x43, 0x00, 0x00, 0x50, 0x14, 0x9E, 0x02, 0x01, 0x00, 0, 0, 0, 0},
       {{Band, "VHF/UHF "}, {Rx, "438.50000"}, {Tx, "145.00000"}, {Dec, "67.0"}, {Enc, "D023N"}}},
      {"OFF both ways", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, F, F, 0, 0, 0, 0},
       {{Dec, "OFF"}, {Enc, "OFF"}}},
      {"DCS decode keeps the table's blanks", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 1, 0, 210, 0, 0, 0, 0, 0},
       {{Dec, Tone_Name[51]}, {Enc, "D754I"}}},
      {"CTCSS texts", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0x75, 0x03, 0xED, 0x09, 0, 0, 0, 0},
       {{Dec, "88.5"}, {Enc, "254.1"}}},
      {"a whole tone gets .0", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0xE8, 0x03, 0, 0, 0, 0, 0, 0},
       {{Dec, "100.0"}}},
      {"no TX frequency", {0, 0, 0x55, 0x14, F, 0x12, 0x34, 0x56, 0, 0, 0x9E, 0x02, 0, 0, 0, 0},
       {{Rx, "145.50000"}, {Tx, ""}, {Enc, ""}}},
      {"settings all zero", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, 0, 0, 0x00, 0x00, 0x00, 0x00},
       {{Power, "HIGH"}, {Width, "W"}, {Ptt_Id, "OFF"}, {Busy_Lock, "OFF"}, {Scan_Add, "OFF"},
        {Sig_Code, "1"}, {Opt_Sig, "OFF"}, {Sq_Mode, "QT"}, {Scr, "OFF"}}},
      {"code 15, optional 5TONE, OR, LOW + scrambler", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, 0, 0, 0x0E, 0x23, 0x11, 0x47},
       {{Sig_Code, "15"}, {Opt_Sig, "5TONE"}, {Sq_Mode, "OR"}, {Power, "LOW"}, {Scr, "ON"},
        {Ptt_Id, "BOTH"}, {Scan_Add, "ON"}, {Busy_Lock, "OFF"}, {Width, "N"}}},
      {"values beyond the lists", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, 0, 0, 0x0F, 0x34, 0x25, 0x08},
       {{Sig_Code, ""}, {Opt_Sig, ""}, {Sq_Mode, ""}, {Scr, ""}, {Power, "HIGH"}, {Busy_Lock, "ON"}}},
      {"high nibble of byte 12 is not read", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, 0, 0, 0xF3, 0, 0x01, 0},
       {{Sig_Code, "4"}, {Power, "LOW"}, {Scr, "OFF"}}},
      {"tone words outside the coding", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0x00, 0x80, 0x01, 0xFF, 0, 0, 0, 0},
       {{Dec, Tone_Unknown_Text}, {Enc, Tone_Unknown_Text}}},
      {"DCS number beyond the table", {0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 211, 0, 255, 0, 0, 0, 0, 0},
       {{Dec, Tone_Unknown_Text}, {Enc, Tone_Unknown_Text}}},
  };
  for (const auto& c : cases) {
    Set_Row(4, c.rec);
    Row_Show(g, 5);
    for (const auto& [col, text] : c.cells) EXPECT_EQ(g.Cell(5, col), text) << c.what << ", column " << col;
    // The decode only reads: words outside the coding keep their bytes too.
    EXPECT_EQ(Image_Row16(4), c.rec) << c.what;
  }
}

TEST_F(ChannModel, AnEmptyChannelShowsBlankAndErasesBothRecords) {
  Set_Row(7, {F, 0x12, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, 0, 0, 0, 0, 0, 4});
  Set_Row(Chann_Name_Row0 + 7, {'A', 'B', F, F, F, F, F, F, F, F, F, F, F, F, F, F});
  Set_Channel(6);
  Row_Show(g, 7);  // channel 6 first
  Row_Show(g, 8);
  for (int c = 1; c <= 15; ++c) EXPECT_EQ(g.Cell(8, c), "") << c;
  EXPECT_EQ(Image_Row16(7), Row_Of(F));
  EXPECT_EQ(Name_Row(7), Row_Of(F));
  EXPECT_EQ(g.Cell(7, Rx), "145.50000") << "the row before is not touched";
}

TEST_F(ChannModel, NamesDecodeAsGbkUpToTheFirst0xFF) {
  struct Case {
    Row16 name;
    QString text;
  } cases[] = {
      {{0x41, 0x42, F, 0x43, F, F, F, F, F, F, F, F, F, F, F, F}, "AB"},
      {{0x20, 0x41, 0x20, F, F, F, F, F, F, F, F, F, F, F, F, F}, "A"},
      {{0xD6, 0xD0, 0x41, F, F, F, F, F, F, F, F, F, F, F, F, F}, U("中A")},
      {{0xD6, F, 0x41, F, F, F, F, F, F, F, F, F, F, F, F, F}, U("?A")},  // 0xFF taken as the pair's second byte
      {{'A', 'B', 'C', 'D', 'E', 'F', 'G', 0xD6, F, F, F, F, F, F, F, F}, U("ABCDEFG?")},
      {{F, 0x41, F, F, F, F, F, F, F, F, F, F, F, F, F, F}, ""},
  };
  Set_Channel(0);
  for (const auto& c : cases) {
    Set_Row(Chann_Name_Row0, c.name);
    Row_Show(g, 1);
    EXPECT_EQ(g.Cell(1, Name), c.text);
  }
}

TEST_F(ChannModel, PostReadNamePassUsesTheRawReplies) {
  // Reply k = 2 covers channels 4..7 (address 0x1040).
  auto& reply = Rx_Name[2];
  reply.fill(0xFF);
  reply[0] = 0x06, reply[1] = 'X', reply[2] = 0x10, reply[3] = 0x40, reply[4] = 0x40;
  const int16_t names[4][3] = {{0x11, 0x12, 0x05}, {0x41, 0xFB, 0xFF}, {0xFF, 0x41, 0x42}, {0x20, 0x41, 0xC8}};
  for (int j = 0; j < 4; ++j)
    for (int k = 0; k < 3; ++k) reply[5 + 16 * j + k] = names[j][k];
  // Reply 3's address lies outside the name area: the pass ends there.
  Rx_Name[3].fill(0x41);
  Rx_Name[3][2] = 0x0F;
  Rx_Name[4] = Rx_Name[2];
  Rx_Name[4][3] = 0x80;  // would be channels 8..11
  for (int r = 1; r <= 12; ++r) g.Set_Cell(r, Name, "old");
  Name_Rescan(g, 51);
  EXPECT_EQ(g.Cell(5, Name), "AB5");
  EXPECT_EQ(g.Cell(6, Name), "A+");
  EXPECT_EQ(g.Cell(7, Name), "");
  EXPECT_EQ(g.Cell(8, Name), "PA?") << "a blank shows as P; a single byte above 0x7F has no character";
  EXPECT_EQ(g.Cell(9, Name), "old");
  EXPECT_EQ(Image_Row16(Chann_Name_Row0 + 4), Row_Of(F)) << "the pass changes no image byte";
}

// ---- list choices ------------------------------------------------------------------

TEST_F(ChannModel, SettingChoicesChangeOnlyTheirBits) {
  struct Case {
    int col, item, byte, before, after;
  } cases[] = {
      {Power, 1, 14, 0x10, 0x11}, {Power, 0, 14, 0x11, 0x10}, {Power, 1, 14, 0xFF, 0xFD},
      {Width, 1, 15, 0x04, 0x44}, {Width, 0, 15, 0x44, 0x04}, {Width, 0, 15, 0xFF, 0xBF},
      {Ptt_Id, 2, 15, 0xFF, 0xFE}, {Ptt_Id, 3, 15, 0x04, 0x07},
      {Busy_Lock, 1, 15, 0x40, 0x48}, {Busy_Lock, 0, 15, 0xFF, 0xF7},
      {Scan_Add, 1, 15, 0x00, 0x04}, {Scan_Add, 0, 15, 0xFF, 0xFB},
      {Sig_Code, 14, 12, 0x00, 0x0E}, {Sig_Code, 0, 12, 0xFF, 0xF0},
      {Opt_Sig, 3, 13, 0xF0, 0xF3}, {Sq_Mode, 2, 13, 0x03, 0x23}, {Sq_Mode, 1, 13, 0xFF, 0x1F},
      {Scr, 1, 14, 0x01, 0x11}, {Scr, 0, 14, 0xFF, 0x0F},
  };
  for (const auto& c : cases) {
    Set_Row(9, Row_Of(F));
    Radio_Image[9][c.byte] = static_cast<int16_t>(c.before);
    Setting_Apply(9, c.col, c.item);
    Row16 want = Row_Of(F);
    want[c.byte] = c.after;
    EXPECT_EQ(Image_Row16(9), want) << "column " << c.col << " item " << c.item;
  }
}

TEST_F(ChannModel, ListItemsOfEveryColumn) {
  EXPECT_EQ(Column_Items(Band), QStringList{"VHF/UHF"});
  EXPECT_EQ(Column_Items(Dec).size(), 261);
  EXPECT_EQ(Column_Items(Enc)[0], "OFF");
  EXPECT_EQ(Column_Items(Enc)[50], "254.1");
  EXPECT_EQ(Column_Items(Enc)[51], "D023N");
  EXPECT_EQ(Column_Items(Enc)[260], "D754I");
  EXPECT_EQ(Column_Items(Sig_Code).size(), 15);
  EXPECT_EQ(Column_Items(Sig_Code).last(), "15");
  EXPECT_EQ(Column_Items(Sq_Mode), (QStringList{"QT", "AND", "OR"}));
  EXPECT_TRUE(Column_Items(Rx).isEmpty());
}

TEST_F(ChannModel, ToneChoicesAndTypedTones) {
  struct Case {
    int col;
    const char* typed;
    Row16 want8to11;  // bytes 8..11 afterwards (first four used)
    const char* cell;  // the cell afterwards
  } cases[] = {
      {Dec, "254.1", {237, 9, 237, 9}, "254.1"},
      {Dec, "D754I", {210, 0, 210, 0}, "D754I"},
      {Dec, "OFF", {0, 0, 0, 0}, "OFF"},
      {Enc, "D023N", {0x11, 0x22, 1, 0}, "D023N"},
      {Dec, "67", {158, 2, 158, 2}, "67.0"},
      {Dec, "259.9", {39, 10, 39, 10}, "259.9"},
      {Dec, "60", {88, 2, 88, 2}, "60.0"},
      {Dec, "76.76", {0, 3, 0, 3}, "76.8"},      // tenths rounded before the split: 768, never a byte 256
      {Dec, "255.97", {0, 10, 0, 10}, "256.0"},
      {Enc, "1 00", {0x11, 0x22, 0xE8, 3}, "100.0"},  // blanks anywhere are ignored
      {Dec, "260", {0x11, 0x22, 0x33, 0x44}, "keep"},
      {Dec, "59.9", {0x11, 0x22, 0x33, 0x44}, "keep"},
      {Dec, "50", {0x11, 0x22, 0x33, 0x44}, "keep"},
      {Dec, "D23N", {0x11, 0x22, 0x33, 0x44}, "keep"},
      {Enc, "DNI", {0x11, 0x22, 0x33, 0x44}, "keep"},
  };
  for (const auto& c : cases) {
    Set_Channel(2);
    for (int k = 0; k < 4; ++k) Radio_Image[2][8 + k] = static_cast<int16_t>(0x11 * (k + 1));
    Row_Show(g, 3);
    const QString before = g.Cell(3, c.col);
    edit.Cell_Edit(3, c.col);
    edit.Leave_Cell(3, c.col, "", c.typed);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(Radio_Image[2][8 + k], c.want8to11[k]) << c.typed << " byte " << 8 + k;
    EXPECT_EQ(g.Cell(3, c.col).trimmed(), QString(c.cell) == "keep" ? before.trimmed() : QString(c.cell))
        << c.typed;
  }
  EXPECT_TRUE(rec.calls.empty()) << "a tone that is not taken shows no message";
}

TEST_F(ChannModel, ChoosingAnRxToneSetsTheTxToneToo) {
  Set_Channel(0);
  Row_Show(g, 1);
  edit.Cell_Edit(1, Dec);
  edit.List_Click(1, Dec, 9, "88.5");
  EXPECT_EQ(Image_Row16(0)[8], 0x75);
  EXPECT_EQ(Image_Row16(0)[11], 0x03);
  EXPECT_EQ(g.Cell(1, Enc), "88.5") << "the row is redrawn";
  // A list left floating over another cell chooses nothing for the current one.
  edit.List_Click(1, Power, 1, "LOW");
  EXPECT_EQ(Image_Row16(0)[14], 0);
}

TEST_F(ChannModel, BandRule) {
  // Choosing the band on a blank row shows it; the record stays empty.
  edit.Cell_Edit(4, Band);
  edit.List_Click(4, Band, 0, "VHF/UHF");
  EXPECT_EQ(g.Cell(4, Band), "VHF/UHF");
  EXPECT_EQ(Image_Row16(3), Row_Of(F));
  // On a channel that shows the band already nothing but the text changes.
  Set_Channel(5);
  Row_Show(g, 6);
  edit.Cell_Edit(6, Band);
  edit.List_Click(6, Band, 0, "VHF/UHF");
  EXPECT_EQ(g.Cell(6, Rx), "145.50000");
  EXPECT_NE(Image_Row16(5), Row_Of(F));
  // A band cell left with a different list text blanks the rest of the row.
  edit.Cell_Edit(6, Band);
  edit.Leave_Cell(6, Band, "", "");
  EXPECT_EQ(g.Cell(6, Rx), "");
  EXPECT_EQ(Image_Row16(5), Row_Of(F));
}

// ---- names ---------------------------------------------------------------------------

TEST_F(ChannModel, NamesKeepWholeGbkCharactersWithinEightBytes) {
  ASSERT_TRUE(Ansi_Available());
  // The cell shows the name as stored; a name that does not fit whole into
  // the 8 bytes is too long, whether by its characters or by its bytes.
  struct Case {
    const char* typed;
    Row16 name;
    const char* shown;
    bool message;
  } cases[] = {
      {"ABCDEFGHIJ", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', F, F, F, F, F, F, F, F}, "ABCDEFGH", true},
      {"ABCDEFGH", {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', F, F, F, F, F, F, F, F}, "ABCDEFGH", false},
      {"A中文字符", {'A', 0xD6, 0xD0, 0xCE, 0xC4, 0xD7, 0xD6, F, F, F, F, F, F, F, F, F}, "A中文字", true},
      {"ABCDEFG中", {'A', 'B', 'C', 'D', 'E', 'F', 'G', F, F, F, F, F, F, F, F, F}, "ABCDEFG", true},
      {"A丂丂丂丂", {'A', 0x81, 0x40, 0x81, 0x40, 0x81, 0x40, F, F, F, F, F, F, F, F, F}, "A丂丂丂", true},
      {"中文字符", {0xD6, 0xD0, 0xCE, 0xC4, 0xD7, 0xD6, 0xB7, 0xFB, F, F, F, F, F, F, F, F}, "中文字符", false},
      // Trail bytes below 0x80 and 0x80 itself: counted by the character, not by the byte.
      {"丂丂丂A中", {0x81, 0x40, 0x81, 0x40, 0x81, 0x40, 'A', F, F, F, F, F, F, F, F, F}, "丂丂丂A", true},
      {"中丂A", {0xD6, 0xD0, 0x81, 0x40, 'A', F, F, F, F, F, F, F, F, F, F, F}, "中丂A", false},
      {"亐", {0x81, 0x80, F, F, F, F, F, F, F, F, F, F, F, F, F, F}, "亐", false},
      {"  AB C  ", {'A', 'B', ' ', 'C', F, F, F, F, F, F, F, F, F, F, F, F}, "AB C", false},
      {"", Row_Of(F), "", false},
  };
  for (const auto& c : cases) {
    rec.Clear();
    Set_Channel(0);
    Row_Show(g, 1);
    edit.Cell_Edit(1, Name);
    edit.Leave_Cell(1, Name, U(c.typed), "");
    EXPECT_EQ(Name_Row(0), c.name) << c.typed;
    EXPECT_EQ(g.Cell(1, Name), U(c.shown)) << c.typed;
    // A redraw shows the same.
    Row_Show(g, 1);
    EXPECT_EQ(g.Cell(1, Name), U(c.shown)) << c.typed;
    ASSERT_EQ(rec.calls.size(), c.message ? 1u : 0u) << c.typed;
    if (c.message) {
      EXPECT_EQ(rec.calls[0].text, "The letter of channel name max 8 bit . ");
      EXPECT_EQ(rec.calls[0].title, "Operate Prompt");
    }
  }
  Lang_Flag = -1;
  edit.Cell_Edit(1, Name);
  edit.Leave_Cell(1, Name, "123456789", "");
  EXPECT_EQ(rec.calls.back().text, U("信道名称的字符个数最大为 8 ！"));
  EXPECT_EQ(rec.calls.back().title, U("操作提示"));
}

TEST_F(ChannModel, ANameNeedsTheBandCell) {
  Set_Row(Chann_Name_Row0 + 9, {'X', F, F, F, F, F, F, F, F, F, F, F, F, F, F, F});
  edit.Cell_Edit(10, Name);
  edit.Leave_Cell(10, Name, "ABC", "");
  EXPECT_EQ(Name_Row(9), Row_Of(F));
  EXPECT_EQ(g.Cell(10, Name), "");
}

// ---- commits only of edited cells ------------------------------------------------------

TEST_F(ChannModel, NothingIsCommittedWithoutAnEditorOrAnEdit) {
  Set_Channel(0);
  Set_Row(Chann_Name_Row0, {'A', 'B', F, F, F, F, F, F, F, F, F, F, F, F, F, F});
  Row_Show(g, 1);
  const Image_Table before = Radio_Image;
  const int cols[] = {Band, Rx, Tx, Dec, Enc, Power, Sig_Code, Name};
  // Left without an editor (arrow keys), with the editors emptied by the last commit.
  for (int c : cols) edit.Leave_Cell(1, c, "", "");
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  // Opened and left unchanged: the RX cell does not copy itself to TX, the
  // name is not stored again.
  for (int c : cols) {
    const Editor_Open o = edit.Cell_Edit(1, c);
    edit.Leave_Cell(1, c, o.text, o.text);
  }
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_EQ(g.Cell(1, Tx), "150.00000");
  // A text of an editor opened on another cell is never committed here.
  edit.Cell_Edit(1, Name);
  edit.Leave_Cell(2, Name, "STALE", "");
  edit.Cell_Edit(3, Rx);
  edit.Leave_Cell(1, Rx, "", "");
  EXPECT_TRUE(Same_Image(Radio_Image, before));
  EXPECT_TRUE(rec.calls.empty());
}

// ---- frequencies ------------------------------------------------------------------------

TEST_F(ChannModel, BandCheckOfEntries) {
  struct Case {
    std::array<double, 8> limits;
    const char* typed;
    bool in;
  } cases[] = {
      {{136, 174, 136, 174, 400, 480, 400, 480}, "174.99", true},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "175", false},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "135.99", false},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "480.5", true},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "481", false},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "1 45.5", true},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "145.5 MHz", true},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "abc", false},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "   ", false},
      // Stored with three MHz digits only: 1145.5 would be kept as 145.5.
      {{136, 174, 136, 174, 400, 480, 400, 480}, "1145.5", false},
      // The value stored (snapped down to the channel grid) is what is checked.
      {{136.001, 174, 0, 0, 0, 0, 0, 0}, "136.001", false},
      {{87, 108, 0, 0, 0, 0, 0, 0}, "100.1", true},
      // Within 1 Hz below the band's end the snap goes up to the next MHz:
      // stored there, the frequency would lie outside every band.
      {{136, 174, 136, 174, 400, 480, 400, 480}, "174.999999", false},
      {{136, 174, 136, 174, 400, 480, 400, 480}, "480.9999995", false},
  };
  for (const auto& c : cases) {
    Band_Limits = c.limits;
    EXPECT_EQ(Freq_In_Band(c.typed), c.in) << c.typed << " with low " << c.limits[0];
  }
}

TEST_F(ChannModel, CompletionOfTypedFrequencies) {
  struct Case {
    const char* typed;
    const char* done;
  } cases[] = {
      {"145.5", "145.50000"}, {"145", "145.00000"}, {"87.5", "87.50000"}, {"145.123456", "145.12345"},
      {"1 45.5", "145.50000"}, {"145.5MHz", "145.50000"}, {"146.12345", "146.12345"},
  };
  for (const auto& c : cases) EXPECT_EQ(Freq_Complete(c.typed), c.done) << c.typed;
}

TEST_F(ChannModel, ReplacementOfOutOfBandEntriesFollowsTheLimits) {
  struct Case {
    double low, high;
    bool stored;
    int b2, b3;  // RX bytes 2 and 3 stored for "500" on an empty channel
  } cases[] = {
      {136, 174, true, 0x60, 0x13}, {87, 108, true, 0x70, 0x08}, {5, 30, true, 0x50, 0x00},
      {136.5, 174, true, 0x65, 0x13}, {1000.5, 1100, false, 0, 0}, {136.001, 174, false, 0, 0},
  };
  for (const auto& c : cases) {
    Reset();
    Band_Limits = {c.low, c.high, c.low, c.high, c.low, c.high, c.low, c.high};
    rec.Clear();
    Row_Show(g, 1);
    edit.Cell_Edit(1, Rx);
    edit.Leave_Cell(1, Rx, "500", "");
    ASSERT_EQ(rec.Texts(), QStringList{"Over the range of receive frequency ."}) << c.low;
    if (!c.stored) {
      EXPECT_EQ(Image_Row16(0), Row_Of(F)) << c.low << ": nothing out of band is stored";
      continue;
    }
    const Row16 got = Image_Row16(0);
    EXPECT_EQ(got[2], c.b2) << c.low;
    EXPECT_EQ(got[3], c.b3) << c.low;
    EXPECT_EQ(got[6], c.b2) << c.low << ": TX too, on an empty channel";
    EXPECT_EQ(got[7], c.b3) << c.low;
    EXPECT_EQ(got[0], 0);
    EXPECT_EQ(got[1], 0);
  }
  EXPECT_EQ((Band_Limits[0] = 136, Freq_Replacement()), "136.00000");
  EXPECT_EQ((Band_Limits[0] = 87, Freq_Replacement()), "87.00000");
}

TEST_F(ChannModel, RxCommits) {
  // 145.5 on a row that shows only its band: defaults, RX = TX.
  g.Set_Cell(1, Band, "VHF/UHF");
  edit.Cell_Edit(1, Rx);
  edit.Leave_Cell(1, Rx, "145.5", "");
  EXPECT_EQ(Image_Row16(0), (Row16{0, 0, 0x55, 0x14, 0, 0, 0x55, 0x14, 0, 0, 0, 0, 0, 0, 0, 4}));
  EXPECT_EQ(g.Cell(1, Sig_Code), "1");
  // Out of band on a channel with data: RX := 136, TX and settings kept.
  Set_Channel(1);
  Radio_Image[1][14] = 0x11;
  Row_Show(g, 2);
  edit.Cell_Edit(2, Rx);
  edit.Leave_Cell(2, Rx, "abc", "");
  EXPECT_EQ(Image_Row16(1), (Row16{0, 0, 0x60, 0x13, 0, 0, 0, 0x15, 0, 0, 0, 0, 0, 0, 0x11, 4}));
  EXPECT_EQ(rec.Texts(), QStringList{"Over the range of receive frequency ."});
  EXPECT_EQ(rec.calls[0].title, "Operate prompt");
  // A changed in-band RX sets TX to the same value.
  edit.Cell_Edit(2, Rx);
  edit.Leave_Cell(2, Rx, "146.025", "");
  EXPECT_EQ(g.Cell(2, Tx), "146.02500");
  // Blank: the channel and its name go.
  Set_Row(Chann_Name_Row0 + 1, {'N', F, F, F, F, F, F, F, F, F, F, F, F, F, F, F});
  edit.Cell_Edit(2, Rx);
  edit.Leave_Cell(2, Rx, "  ", "");
  EXPECT_EQ(Image_Row16(1), Row_Of(F));
  EXPECT_EQ(Name_Row(1), Row_Of(F));
  EXPECT_EQ(g.Cell(2, Band), "");
}

TEST_F(ChannModel, TxCommits) {
  struct Case {
    const char* typed;
    Row16 want;
    const char* message;
  } cases[] = {
      {"500", {0, 0, 0x55, 0x14, 0, 0, 0x60, 0x13, 0x9E, 0x02, F, F, 0, 0, 0, 4}, "Over the range of transmit frequency ."},
      {"", {0, 0, 0x55, 0x14, F, F, F, F, 0x9E, 0x02, F, F, 0, 0, 0, 4}, nullptr},
      {"440.0125", {0, 0, 0x55, 0x14, 0x50, 0x12, 0x00, 0x44, 0x9E, 0x02, 0x9E, 0x02, 0, 0, 0, 4}, nullptr},
  };
  for (const auto& c : cases) {
    rec.Clear();
    Set_Row(0, {0, 0, 0x55, 0x14, 0, 0, 0, 0x15, 0x9E, 0x02, 0x9E, 0x02, 0, 0, 0, 4});
    Row_Show(g, 1);
    edit.Cell_Edit(1, Tx);
    edit.Leave_Cell(1, Tx, c.typed, "");
    EXPECT_EQ(Image_Row16(0), c.want) << c.typed;
    EXPECT_EQ(rec.Texts(), c.message ? QStringList{c.message} : QStringList{}) << c.typed;
  }
  // TX typed on a row without RX: the message, nothing stored.
  rec.Clear();
  g.Set_Cell(5, Band, "VHF/UHF");
  edit.Cell_Edit(5, Tx);
  edit.Leave_Cell(5, Tx, "145", "");
  EXPECT_EQ(rec.Texts(), QStringList{"Please input the receive frequency in advance."});
  EXPECT_EQ(Image_Row16(4), Row_Of(F));
}

TEST_F(ChannModel, EnterInTheFrequencyCells) {
  // RX 145.5 + Enter on a row with an empty TX cell: the TX cell shows it, the
  // move goes to the TX cell and its commit stores RX = TX.
  g.Set_Cell(1, Band, "VHF/UHF");
  edit.Cell_Edit(1, Rx);
  QString box = "145.5";
  auto move = edit.Box_Enter(1, Rx, &box);
  ASSERT_TRUE(move);
  EXPECT_EQ(move->col, Tx);
  EXPECT_EQ(box, "145.50000");
  EXPECT_EQ(g.Cell(1, Tx), "145.50000");
  edit.Leave_Cell(1, Rx, box, "");
  EXPECT_EQ(Image_Row16(0)[4], 0x00);
  EXPECT_EQ(Image_Row16(0)[6], 0x55);
  EXPECT_EQ(Image_Row16(0)[7], 0x14);
  // A whole number is completed with its decimals, not with zeros after it.
  edit.Cell_Edit(1, Rx);
  box = "150";
  edit.Box_Enter(1, Rx, &box);
  EXPECT_EQ(box, "150.00000");
  edit.Leave_Cell(1, Rx, box, "");
  EXPECT_EQ(Image_Row16(0)[2], 0x00);
  EXPECT_EQ(Image_Row16(0)[3], 0x15);
  EXPECT_TRUE(rec.calls.empty());
  // Out of band with Enter on a channel with data: RX = TX = 136, one message.
  edit.Cell_Edit(1, Rx);
  box = "500";
  edit.Box_Enter(1, Rx, &box);
  edit.Leave_Cell(1, Rx, box, "");
  EXPECT_EQ(rec.calls.size(), 1u);
  EXPECT_EQ(g.Cell(1, Rx), "136.00000");
  EXPECT_EQ(g.Cell(1, Tx), "136.00000");
  // TX + Enter moves on to the decode tone; on the last row with both cells
  // blank it goes to the band cell of the same row.
  edit.Cell_Edit(1, Tx);
  box = "137";
  move = edit.Box_Enter(1, Tx, &box);
  EXPECT_EQ(move->row, 1);
  EXPECT_EQ(move->col, Dec);
  edit.Cell_Edit(200, Tx);
  box = "";
  move = edit.Box_Enter(200, Tx, &box);
  EXPECT_EQ(move->row, 200);
  EXPECT_EQ(move->col, Band);
  edit.Cell_Edit(7, Tx);
  move = edit.Box_Enter(7, Tx, &box);
  EXPECT_EQ(move->row, 8);
  // Enter in the name box moves nothing; Enter in a list moves right.
  EXPECT_FALSE(edit.Box_Enter(1, Name, &box));
  EXPECT_EQ(edit.List_Enter(1, Scr)->col, Name);
  EXPECT_FALSE(edit.List_Enter(1, Band));
}

TEST_F(ChannModel, RowRoutines) {
  Set_Channel(3);
  Set_Row(Chann_Name_Row0 + 3, {'N', F, F, F, F, F, F, F, F, F, F, F, F, F, F, F});
  Row_Default(g, 4);
  EXPECT_EQ(Image_Row16(3), (Row16{0x00, 0x00, 0x55, 0x14, 0x00, 0x00, 0x00, 0x15, 0, 0, 0, 0, 0, 0, 0, 4}));
  EXPECT_EQ(Name_Row(3), Row_Of(F));
  const char* want[] = {"OFF", "OFF", "HIGH", "W", "OFF", "OFF", "ON", "1", "OFF", "QT", "OFF", ""};
  for (int c = Dec; c <= Name; ++c) EXPECT_EQ(g.Cell(4, c), want[c - Dec]) << c;
  Row_Show(g, 4);
  for (int c = Dec; c <= Name; ++c) EXPECT_EQ(g.Cell(4, c).trimmed(), want[c - Dec]) << "decoded " << c;
  g.Set_Cell(4, Band, "VHF/UHF");
  Row_ClearData(g, 4);
  EXPECT_EQ(g.Cell(4, Band), "VHF/UHF");
  EXPECT_EQ(g.Cell(4, Rx), "");
  EXPECT_EQ(Image_Row16(3), Row_Of(F));
}
}  // namespace

namespace {
TEST_F(ChannModel, FrequencyMessagesInChinese) {
  Lang_Flag = -1;
  Set_Channel(0);
  Row_Show(g, 1);
  edit.Cell_Edit(1, Rx);
  edit.Leave_Cell(1, Rx, "500", "");
  edit.Cell_Edit(1, Tx);
  edit.Leave_Cell(1, Tx, "90", "");
  edit.Cell_Edit(2, Tx);
  edit.Leave_Cell(2, Tx, "145", "");
  EXPECT_EQ(rec.Texts(), (QStringList{U("接收频率超出范围 ！"), U("发射频率超出范围 ！"), U("请先输入接收频率 ！")}));
  for (const auto& c : rec.calls) EXPECT_EQ(c.title, U("操作提示"));
}
}  // namespace
