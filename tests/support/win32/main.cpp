// The tests' main on Windows: COM for the accessibility and clipboard
// interfaces and the program's application, then every test, on the one thread that owns the
// windows.

#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include "runtime/form.h"
#include "window/identity.h"

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(OleInitialize(nullptr))) {
        return 2;
    }
    // The program's own application and identity, as its main makes them.
    const quorvela::runtime::Application application(argc, argv, quorvela::QuorvelaIdentity);
    const int status = RUN_ALL_TESTS();
    OleUninitialize();
    return status;
}
