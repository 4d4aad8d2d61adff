// What talvane-sim writes into a program folder so that the editor there finds an installed Talvane.
#pragma once

#include <QString>
#include <QStringList>

#include <string>

// Orvex.ini for the machines given as "NUMBER=NAME", each a section line and a name line ended by
// CR LF as Talvane writes them; the number is written as given. Empty when a machine has no "=".
std::string ProfileFileText(const QStringList& machines);

// Copies this program into folder as Talvane's program file `talvane` and writes Orvex.ini there.
// An error message, empty on success.
QString InstallInto(const QString& folder, const QStringList& machines);
