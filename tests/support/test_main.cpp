// Shared main of the test exes: GDI+ and OLE are started once per process, as the program
// does, and the frame dimension the image loader asks for is filled in.
#include "image_loader.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    ParseTimeFrameDimension();
    return RUN_ALL_TESTS();
}
