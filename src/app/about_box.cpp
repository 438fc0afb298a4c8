#include "about_box.h"

#include <QApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyle>

#include "data/shared_state.h"
#include "lang_texts.h"
#include "platform/msg_box.h"
#include "platform/registry.h"
#include "platform/twips.h"

namespace {
constexpr double kWidth = 5730, kHeight = 3900;  // the box's design size, twips

void Not_Available() {
  Msg_Box(QString::fromUtf8("此时系统信息不可用"), Msg_Icon::None, QString(), Msg_Buttons::Ok);
}
}  // namespace

frmAbout::frmAbout() {
  picIcon = new QLabel(this);
  picIcon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  lblTitle = new QLabel(this);
  lblVersion = new QLabel(this);
  lblDescription = new QLabel(this);
  lblDescription->setWordWrap(true);
  lblDisclaimer = new QLabel(this);
  lblDisclaimer->setWordWrap(true);
  cmdOk = new QPushButton(this);
  cmdSysInfo = new QPushButton(this);
  auto* line1 = new QFrame(this);
  line1->setFrameShape(QFrame::HLine);
  auto* line2 = new QFrame(this);
  line2->setFrameShape(QFrame::HLine);

  auto* g = new QGridLayout(this);
  g->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
  g->addWidget(lblTitle, 0, 1, 1, 2);
  g->addWidget(lblVersion, 1, 1, 1, 2);
  g->addWidget(lblDescription, 2, 1, 1, 2);
  g->addWidget(line1, 3, 0, 1, 3);
  g->addWidget(lblDisclaimer, 4, 0, 2, 2);
  g->addWidget(cmdOk, 4, 2);
  g->addWidget(cmdSysInfo, 5, 2);
  g->addWidget(line2, 6, 0, 1, 3);
  connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
  connect(cmdSysInfo, &QPushButton::clicked, this, [this] { cmdSysInfo_Click(); });
}

void frmAbout::Form_Load() {
  Text_Lang();
  resize(Twips_To_Px(kWidth), Twips_To_Px(kHeight));
  if (QWidget* client = Forms::Mdi_Area()) {
    const double top = (Client_Height_Twips(client) - kHeight) / 2 - 500;
    const double left = (Client_Width_Twips(client) - kWidth) / 2;
    move(Twips_To_Px(left), Twips_To_Px(top));
  }
  setWindowTitle(About_Text[0]);
  lblTitle->setText(About_Text[0]);
  lblVersion->setText(About_Text[1]);
  lblDescription->setText(About_Text[2]);
  lblDisclaimer->setText(About_Text[3]);
  cmdOk->setText(About_Text[4]);
  cmdSysInfo->setText(About_Text[5]);
  Show_As_Child();
  if (Host() && Forms::Mdi_Area()) {
    const QWidget* client = Forms::Mdi_Area();
    Host()->move(std::max(0, (client->width() - Host()->width()) / 2),
                 std::max(0, (client->height() - Host()->height()) / 2 - Twips_To_Px(500)));
  }
}

void frmAbout::cmdOk_Click() { Unload(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::StartSysInfo() {
  QString path;
  if (!Registry_Get_Machine_Value("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
    QString folder;
    if (Registry_Get_Machine_Value("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", folder) &&
        QFileInfo::exists(folder + "\\MSINFO32.EXE")) {
      path = folder + "\\MSINFO32.EXE";
    } else {
      Not_Available();
      return;
    }
  }
  if (!QProcess::startDetached(path, {})) Not_Available();
}
