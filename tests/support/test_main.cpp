// Shared main of the test exes: GDI+ and OLE are started once per process, as the program
// does, and the frame dimension the image loader asks for is filled in. With
// CROSSHAIR_REPORT_PRIVATE_BYTES set, the process's private bytes before the first and after
// the last test are printed: the figure for soaks run together (scripts/bench.sh).
#include "image_loader.h"
#include "process_memory.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>

namespace {

class PrivateBytesReport : public testing::EmptyTestEventListener {
    void OnTestProgramStart(const testing::UnitTest&) override { before_ = PrivateBytes(); }
    void OnTestProgramEnd(const testing::UnitTest& unitTest) override {
        std::printf("private bytes across %d tests in one process: before %zu, after %zu\n",
                    unitTest.test_to_run_count(), static_cast<size_t>(before_),
                    static_cast<size_t>(PrivateBytes()));
    }
    SIZE_T before_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    ParseTimeFrameDimension();
    if (std::getenv("CROSSHAIR_REPORT_PRIVATE_BYTES") != nullptr) {
        testing::UnitTest::GetInstance()->listeners().Append(new PrivateBytesReport);
    }
    return RUN_ALL_TESTS();
}
