#include "ui/PolishPlural.h"

QString PolishCount(int count, const QString& one, const QString& few, const QString& many) {
    const int units = count % 10;
    const int tens = count % 100 / 10;
    const QString& noun = count == 1 ? one : units >= 2 && units <= 4 && tens != 1 ? few : many;
    return QString::number(count) + QLatin1Char(' ') + noun;
}
