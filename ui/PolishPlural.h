#pragma once

#include <QString>

// A number with its noun in the Polish form it takes: `one` after 1, `few` after numbers ending
// in 2 to 4 (but not 12 to 14), `many` after the rest ("1 osoba", "3 osoby", "12 osób").
QString PolishCount(int count, const QString& one, const QString& few, const QString& many);
