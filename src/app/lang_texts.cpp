#include "lang_texts.h"

#include "data/shared_state.h"

void Text_Lang() {
  if (Lang_Flag) {
    About_Text = {QString::fromUtf8("关于 CV-R47X 编程软件"),
                  QString::fromUtf8("版本 1.0"),
                  QString::fromUtf8("CV-R47X 双段车载对讲机的编程软件：读取、编辑、保存并写入对讲机的信道、"
                                    "可选参数、信令和调整参数。"),
                  QString::fromUtf8("警告：写入错误的调整参数可能使对讲机无法正常工作。写入前请先保存原有参数。"),
                  QString::fromUtf8("确定"),
                  QString::fromUtf8("系统信息(&S)...")};
    Resp_List = {QString::fromUtf8("0.无"), QString::fromUtf8("1.提醒"), QString::fromUtf8("2.回复"),
                 QString::fromUtf8("3.提醒并回")};
    Func_List = {QString::fromUtf8("0.通话"), QString::fromUtf8("1.主叫"), QString::fromUtf8("2.被叫"),
                 QString::fromUtf8("3.监听"), QString::fromUtf8("4.巡查"), QString::fromUtf8("5.报警"),
                 QString::fromUtf8("6.遥晕"), QString::fromUtf8("7.遥毙"), QString::fromUtf8("8.开机")};
  } else {
    About_Text = {"About the CV-R47X programming software",
                  "Version 1.0",
                  "Programming software for the CV-R47X two-band mobile radio: reads, edits, saves and "
                  "writes the radio's channels, options, signalling and alignment values.",
                  "Warning: wrong alignment values can keep the radio from working properly. Save the "
                  "radio's own values to a file before you write.",
                  "Confirm",
                  "System Information(&S)..."};
    Resp_List = {"0.None", "1.Alert", "2.Transpond", "3.Alert+Transpond"};
    Func_List = {"0.Open Speak", "1.Primary Caller ID", "2.Secondary Caller ID", "3.Monitor",
                 "4.Inspection ", "5.Emergency", "6.Stun", "7.Kill", "8.Revive"};
  }
}
