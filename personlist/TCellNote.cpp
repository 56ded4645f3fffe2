#include "personlist/TCellNote.h"

QString TCellNote::Tooltip() const {
    if (problems.isEmpty() || correction.isEmpty())
        return problems + correction;
    return problems + QLatin1Char('\n') + correction;
}
