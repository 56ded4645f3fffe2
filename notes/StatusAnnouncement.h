#pragma once

class QString;
class QWidget;

// Tells a screen reader `text`, a report of what just happened (a save, a refused character, the
// skipped person shown), while the focus stays where it is. Qt 6.4 has no announcement event, so
// the window holds an object of the role Notification with no size; its name becomes the text and
// it tells that it is showing (on the desktop's bus, object:state-changed:showing), which screen
// readers read out as they read a notification.
void Announce(QWidget& within, const QString& text);

// The announcement object of the window `within` belongs to, made at its first announcement.
QWidget& AnnouncementOf(QWidget& within);
