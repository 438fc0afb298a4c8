#include "main_ident.h"

#include "data/shared_state.h"
#include "platform/msg_box.h"

namespace {
Main_Ident*& Instance() {
  static Main_Ident* m = nullptr;
  return m;
}
}  // namespace

Main_Ident* Main_Link() { return Instance(); }
void Main_Link_Set(Main_Ident* m) { Instance() = m; }

Main_Ident::Main_Ident(std::function<void()> enable_menus, QObject* parent)
    : QObject(parent), enable_menus_(std::move(enable_menus)) {}

Main_Ident::~Main_Ident() {
  if (Instance() == this) Instance() = nullptr;
}

void Main_Ident::Main_PortTry() {
  Port_Error = 0;
  MSC.Set_Port_Number(Port_No);
  MSC.Set_Settings("9600,N,8,1");
  MSC.Set_In_Buffer_Size(1024);
  if (!MSC.Open()) {
    Port_Error = -1;
    return;
  }
  MSC.Discard_Input();
}

void Main_Ident::Close_Port() {
  if (MSC.Is_Open()) MSC.Close();
}

bool Main_Ident::Port_Is_Open() const { return MSC.Is_Open(); }

void Main_Ident::Ident_Start() {
  Close_Port();
  Main_PortTry();
  if (Port_Error != 0) {
    Msg_Box(Lang_Pick("通讯端口打开错误，请正确设置通讯端口 ！", "Communication Port Open Error ！"),
            Msg_Icon::Exclamation, Lang_Pick("操作提示", "Operate Prompt"));
    return;
  }
  Close_Port();
}
