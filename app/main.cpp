#include "app/TNoltApplication.h"
#include "app/Unolt_f_r.h"

#include <QTimer>

int main(int argc, char** argv) {
    TNoltApplication application(argc, argv);
    Tfnolt_f_r fnolt_f_r;
    fnolt_f_r.ShowMaximized();
    // A file given to the program (Open with, a file dropped on its icon) is the order; it opens
    // once the window is up, so that a refusal's error box stands over the window.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        QTimer::singleShot(0, &fnolt_f_r, [&] { fnolt_f_r.OpenOrderFile(arguments.at(1)); });
    return application.exec();
}
