// The tests' main on Windows: COM for the accessibility and clipboard
// interfaces, then every test, on the one thread that owns the windows.

#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    ::testing::InitGoogleTest(&argc, argv);
    if (FAILED(OleInitialize(nullptr))) {
        return 2;
    }
    const int status = RUN_ALL_TESTS();
    OleUninitialize();
    return status;
}
