#include "runtime/form.h"
#include "window/frmQuorvela.h"
#include "window/identity.h"

int main(int argc, char* argv[]) {
    quorvela::runtime::Application application(argc, argv, quorvela::QuorvelaIdentity);
    quorvela::frmQuorvela form;
    return application.Run(form);
}
