#include "app/zelkanapp.h"

int main(int argc, char** argv) {
    if (const std::optional<int> status = CZelkanApp::AnswerWithoutWindow(argc, argv))
        return *status;
    CZelkanApp app(argc, argv);
    if (!app.InitInstance()) return app.ExitStatus();
    return app.exec();
}
