#include <gtest/gtest.h>

#include <QMainWindow>
#include <QMdiArea>

#include "platform/main_frame.h"
#include "platform/twips.h"
#include "platform/vb_form.h"

// The child windows size themselves from the main frame: its outer size and
// its MDI client area, each falling back to the next larger thing when absent.
TEST(MainFrame, SizesFollowTheFrameAndFallBackWhenAbsent) {
  Forms::Set_Main(nullptr);
  Forms::Set_Mdi_Area(nullptr);
  EXPECT_EQ(Main_Frame_Twips(), QSizeF(Screen_Width_Twips(), Screen_Height_Twips())) << "no frame: the screen";
  EXPECT_EQ(Main_Client_Twips(), Main_Frame_Twips()) << "no client area: the frame";

  QMainWindow main;
  auto* area = new QMdiArea(&main);
  main.setCentralWidget(area);
  main.resize(900, 700);
  main.show();
  Forms::Set_Main(&main);
  EXPECT_EQ(Main_Frame_Twips(), QSizeF(Px_To_Twips(main.frameGeometry().width()),
                                       Px_To_Twips(main.frameGeometry().height())));
  EXPECT_EQ(Main_Client_Twips(), Main_Frame_Twips()) << "no client area registered yet";
  Forms::Set_Mdi_Area(area);
  EXPECT_EQ(Main_Client_Twips(), QSizeF(Client_Width_Twips(area), Client_Height_Twips(area)));
  Forms::Set_Mdi_Area(nullptr);
  Forms::Set_Main(nullptr);
}
