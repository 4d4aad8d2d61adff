// The editor's icon on every window: the installed theme icon, or a drawn one where none is installed.
#pragma once

#include <QIcon>

QIcon ApplicationIcon();
// The drawn icon alone: a sheet of part program with coloured address words and an end mill.
QIcon DrawnApplicationIcon();
