// Line breaks at spaces only, for texts that name paths and web addresses: Qt's own wrapping
// breaks after any "/" and so splits them ("/ tmp/...").
#pragma once

#include <QString>

class QFontMetrics;

// text with each of its lines (ended by "\n", a "\r" before it kept) wider than width broken at
// the last space that lets the line fit, that space becoming "\n". A word wider than width keeps
// a line of its own.
QString BreakAtSpaces(const QString& text, const QFontMetrics& metrics, int width);
