#pragma once
// The main window's identification of the connected radio: the start-up port
// probe and the exchange that shows the radio's model, firmware version and
// band limits in the status bar. A reduced engine: identification only, one
// byte per send-pump tick, a long watchdog, no password phase.

#include <QObject>
#include <functional>

#include "link/link_engine.h"

Link_Profile Main_Ident_Profile();

class Main_Ident : public Link_Engine {
  Q_OBJECT
public:
  // enable_menus: sets the editor menu items enabled after a valid reply.
  explicit Main_Ident(std::function<void()> enable_menus, QObject* parent = nullptr,
                      const Link_Profile& profile = Main_Ident_Profile());
  ~Main_Ident() override;

  // Silent open of the main window's port on Port_No; result in Port_Error.
  void Main_PortTry();
  // Closes the main window's port if it is open.
  void Close_Port();
  bool Port_Is_Open() const { return MSC.Is_Open(); }

  // Starts an identification (start-up, port setup); nothing starts while
  // another window's transfer is under way. One running already ends first,
  // the way a transfer ends it.
  void Ident_Start();

  // Identifying the radio changes nothing in it or in the image: it gives
  // way to any window's transfer, and no window's rows wait for it.
  bool Gives_Way() const override { return true; }

protected:
  void After_Ident_Valid() override;

private:
  std::function<void()> enable_menus_;
};

// The one instance, owned by the main window (nullptr before it exists).
Main_Ident* Main_Link();
void Main_Link_Set(Main_Ident* m);
