#include "TNoltApplication.h"
#include "Unolt_f_r.h"

int main(int argc, char** argv) {
    TNoltApplication application(argc, argv);
    Tfnolt_f_r fnolt_f_r;
    fnolt_f_r.ShowMaximized();
    return application.exec();
}
