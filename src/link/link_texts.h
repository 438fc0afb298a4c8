#pragma once
// The texts of the radio link: every message and label a transfer shows,
// as Chinese / English pairs.

#include <QString>

#include "data/shared_state.h"

struct Zh_En {
  const char* zh;
  const char* en;
  QString Get() const { return Lang_Pick(zh, en); }
};

namespace link_text {
constexpr Zh_En Title_Lower{"操作提示", "Operate prompt"};
constexpr Zh_En Title_Upper{"操作提示", "Operate Prompt"};
constexpr Zh_En Busy{"正在与对讲机进行读写操作 ！", "Read-write operating with transceiver ."};
constexpr Zh_En Close_Refused{"正在进行读写操作,请勿关窗口 ！,",
                              "Read-write operating，don't close the window. ,"};
constexpr Zh_En Connecting{"正在与对讲机联络 ！", "Connecting with transceiver. "};
constexpr Zh_En Fail{"与对讲机联络失败 ！", "Fail connect with transceiver."};
constexpr Zh_En Fail_Label{"与对讲机通讯故障 ！", "Communication fault."};
constexpr Zh_En Fail_Panel{"联机故障 ！", "Communication fault."};
// Status-bar panel 3 after the main window's identification failed for good.
constexpr Zh_En Stat_Label{"状态:", "Stat:"};
constexpr Zh_En Port_Error_Reference{
    "通讯端口打开错误，请正确设置通讯端口 ！",
    "Communication port is error, please setting right communication port . ！"};
constexpr Zh_En Port_Error_Short{"通讯端口打开错误，请正确设置通讯端口 ！",
                                 "Communication Port Open Error ！"};
constexpr Zh_En Pass_Error{"读写数据命令字错误，禁止读出", "PassWord Error, Reading Stop"};
constexpr Zh_En Reading_Pre{"正在读取 ", "Reading "};
constexpr Zh_En Reading_Post{" 数据块", " Data Block"};
constexpr Zh_En Writing_Pre{"正在写入  ", "Writing  "};
constexpr Zh_En Writing_Post{"  数据块", "  Data Block"};
}  // namespace link_text
