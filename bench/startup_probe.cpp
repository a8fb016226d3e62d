// The program's start-up, as app/main.cpp does it, ending after the window's
// first paint instead of running until the window is closed.

#include <QApplication>

#include "bench/first_paint.h"
#include "window/frmQuorvela.h"
#include "window/identity.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quorvela::SetApplicationIdentity(app);

    quorvela::frmQuorvela form;
    const quorvela::bench::QuitAfterFirstPaint quit(form);
    quorvela::runtime::Start(form);
    return QApplication::exec();
}
