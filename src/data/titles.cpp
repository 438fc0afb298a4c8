#include "titles.h"

#include "shared_state.h"

QString Title_Chinese() {
  return QString::fromUtf8("CV-R47X 分离式面盖车载对讲机编程软件 （VIP）");
}

QString Title_English() {
  return QString::fromUtf8("CV-R47X two Band  Mobile two way radio Program Software.（VIP Ver)");
}

void Title_Init() {
  Title_Text[2] = Title_English();
  Title_Text[3] = QString();
  Title_Text[0] = Title_Chinese();
  Title_Text[1] = QString();
}

QString Title_Current() { return Lang_Flag ? Title_Text[0] : Title_Text[2]; }
