#pragma once
// The main window's identification of the connected radio: the start-up port
// probe and the exchange that fills the status bar with the radio's model,
// firmware version and band limits.

#include <QObject>
#include <functional>

#include "platform/comm_port.h"

class Main_Ident : public QObject {
  Q_OBJECT
public:
  // enable_menus: sets the editor menu items enabled after a valid reply.
  explicit Main_Ident(std::function<void()> enable_menus, QObject* parent = nullptr);
  ~Main_Ident() override;

  // Silent open of the main window's port on Port_No; result in Port_Error.
  void Main_PortTry();
  // Closes the main window's port if it is open.
  void Close_Port();
  bool Port_Is_Open() const;

  // Starts an identification (start-up, port setup).
  void Ident_Start();

  // The main window's serial control.
  Comm_Port MSC;

private:
  std::function<void()> enable_menus_;
};

// The one instance, owned by the main window (nullptr before it exists).
Main_Ident* Main_Link();
void Main_Link_Set(Main_Ident* m);
