#include "personlist/TGridPartAccessible.h"

#include "personlist/TPersonGrid.h"

QAccessibleInterface* TGridPartAccessible::parent() const {
    return QAccessible::queryAccessibleInterface(grid_);
}
