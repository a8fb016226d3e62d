// The program's start-up as app/main.cpp does it, ending once the window is
// shown and painted instead of running until it is closed.

#include "bench/win32/first_paint.h"  // windows.h first
#include "runtime/form.h"
#include "window/frmQuorvela.h"
#include "window/identity.h"

int main(int argc, char* argv[]) {
    quorvela::runtime::Application application(argc, argv, quorvela::QuorvelaIdentity);
    quorvela::frmQuorvela form;
    quorvela::runtime::Start(form);
    quorvela::bench::PumpUntilPainted();
    return 0;
}
