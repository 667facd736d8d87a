#include "app/zelkanapp.h"

int main(int argc, char** argv) {
    CZelkanApp app(argc, argv);
    if (!app.InitInstance()) return app.ExitStatus();
    return app.exec();
}
