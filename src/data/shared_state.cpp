#include "shared_state.h"

#include "opt_positions.h"

Image_Table Radio_Image{};

int16_t Lang_Flag = 0;
std::array<QString, 4> Title_Text;
int16_t Chann_Count = 0;
QString File_Path;
int16_t Adj_Open_Flag = 0, Adj_Save_Flag = 0, Sig_Open_Flag = 0, Sig_Save_Flag = 0;

std::array<QString, 261> Tone_Name;
std::array<QString, 11> Band_Names;
std::array<std::array<int16_t, 5>, 11> Band_Table{};
int16_t Band_Type = 0;
std::array<double, 8> Band_Limits{};
std::array<uint8_t, 4> Freq_Bcd{};

std::array<int16_t, 513> Opt_Bytes{};

std::array<QString, 6> About_Text;
std::array<QString, 4> Resp_List;
std::array<QString, 9> Func_List;

std::array<uint8_t, 10> Hand_Cmd{};
int16_t Port_No = 0;
int16_t Port_Error = 0;
Reply_Store Rx_Main{};
std::array<int16_t, 17> Pass_Typed{};
std::array<uint8_t, 17> Pass_Block{};
Reply_Store Rx_Name{};
int16_t Area_Toggle = 0;
std::array<int16_t, 17> Pass_Old{}, Pass_New{};

Adj_Table Adj_Image{}, Adj_Default{};
std::array<int16_t, 8> Sql_Rows{};

void Shared_Reset() {
  Radio_Image = {};
  Lang_Flag = 0;
  Title_Text = {};
  Chann_Count = 0;
  File_Path.clear();
  Adj_Open_Flag = Adj_Save_Flag = Sig_Open_Flag = Sig_Save_Flag = 0;
  Tone_Name = {};
  Band_Names = {};
  Band_Table = {};
  Band_Type = 0;
  Band_Limits = {};
  Freq_Bcd = {};
  Opt_Bytes = {};
  Opt_Pos_Reset();
  About_Text = {};
  Resp_List = {};
  Func_List = {};
  Hand_Cmd = {};
  Port_No = 0;
  Port_Error = 0;
  Rx_Main = {};
  Pass_Typed = {};
  Pass_Block = {};
  Rx_Name = {};
  Area_Toggle = 0;
  Pass_Old = {};
  Pass_New = {};
  Adj_Image = {};
  Adj_Default = {};
  Sql_Rows = {};
}
