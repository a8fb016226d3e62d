#include <QApplication>

#include "window/frmQuorvela.h"
#include "window/identity.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    quorvela::SetApplicationIdentity(app);

    quorvela::frmQuorvela form;
    return quorvela::runtime::Run(form);
}
