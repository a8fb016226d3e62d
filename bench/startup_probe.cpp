// The program's start-up, as app/main.cpp does it, ending after the window's
// first paint instead of running until the window is closed.

#include "bench/first_paint.h"
#include "runtime/qt/native.h"
#include "window/frmQuorvela.h"
#include "window/identity.h"

int main(int argc, char* argv[]) {
    quorvela::runtime::Application application(argc, argv, quorvela::QuorvelaIdentity);
    quorvela::frmQuorvela form;
    const quorvela::bench::QuitAfterFirstPaint quit(form.Native());
    return application.Run(form);
}
