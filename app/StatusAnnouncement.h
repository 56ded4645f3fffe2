#pragma once

class QWidget;

// Tells a screen reader that `line`, a text that reports what just happened (a save, a refused
// character), changed, so that it is read out while the focus stays where it is.
void AnnounceStatus(QWidget& line);
