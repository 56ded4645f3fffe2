#include "notes/StatusAnnouncement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>
#include <QWidget>

namespace {

const QString kName = QStringLiteral("Komunikat");

QAccessibleInterface* AccessibleAnnouncement(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || widget->objectName() != kName)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Notification);
}

} // namespace

QWidget& AnnouncementOf(QWidget& within) {
    QWidget* window = within.window();
    if (auto* known = window->findChild<QWidget*>(kName, Qt::FindDirectChildrenOnly))
        return *known;
    static const bool factory = (QAccessible::installFactory(&AccessibleAnnouncement), true);
    Q_UNUSED(factory);
    // Named before it joins the window, so that its accessible interface is made with its role.
    auto* announcement = new QWidget;
    announcement->setObjectName(kName);
    announcement->setParent(window);
    announcement->setFixedSize(0, 0);
    return *announcement;
}

void Announce(QWidget& within, const QString& text) {
    if (text.isEmpty())
        return;
    QWidget& announcement = AnnouncementOf(within);
    announcement.setAccessibleName(text);
    // Its first showing is the first announcement.
    if (announcement.isHidden()) {
        announcement.show();
        return;
    }
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent shown(&announcement, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
