#pragma once
// Reads one value of the system registry under HKEY_LOCAL_MACHINE. Where the
// system has no registry (Linux), every lookup fails.

#include <QString>

// True with the value's text; false with an empty text when the key or value
// does not exist or cannot be read.
bool Registry_Get_Machine_Value(const QString& key, const QString& value_name, QString& out);
