#pragma once

#include <QString>

// The order a person expects of names: runs of digits compare as numbers
// ("Track 2" before "Track 10"), letters without case ("b" after "A").
// Names equal so are ordered by their text, so the order is total and the
// same on every machine (no locale).
bool naturalLess(const QString &a, const QString &b);
