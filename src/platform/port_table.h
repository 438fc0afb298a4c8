#pragma once
// COM n (1..20) to a serial device. On Windows COM n is the device "COMn";
// on Linux it is the n-th of the system's serial devices in a stable order
// (/dev/ttyS*, then /dev/ttyUSB*, /dev/ttyACM*, ... each by number).
//
// Overrides, strongest first:
//  - Port_Table_Set(n, path) in the program (tests);
//  - the environment variable CVR47X_COM<n>, e.g. CVR47X_COM3=/dev/pts/7.

#include <QString>
#include <QStringList>

constexpr int Port_Max = 20;

QString Port_Device(int n);  // empty when COM n maps to nothing

void Port_Table_Set(int n, const QString& device);  // an empty device clears it
void Port_Table_Clear();

// The system's serial devices in the order COM1, COM2, ... take them.
QStringList Port_System_Devices();
