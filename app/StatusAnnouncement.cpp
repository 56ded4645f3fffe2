#include "app/StatusAnnouncement.h"

#include <QAccessible>
#include <QWidget>

void AnnounceStatus(QWidget& line) {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent name(&line, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    QAccessibleEvent alert(&line, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
