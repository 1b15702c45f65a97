// Test programs link the library's core and its resources; the core loads
// strings and dialogs through the module handle, here the program's own.
#include "frame/frame.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    netprep::StoreModuleHandle(GetModuleHandleA(nullptr));
    // A crash ends the test program instead of opening a box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
