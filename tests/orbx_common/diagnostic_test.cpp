#include <gtest/gtest.h>

#include <string>

#include "orbx_common/Diagnostic.h"

namespace {

using Corvanis::PortableFormat;
using Corvanis::WriteDiagnostic;

TEST(DiagnosticFormat, MicrosoftSizePrefixes_ResultInTheirPortableSpelling) {
    EXPECT_EQ(PortableFormat("trampoline alloc %016I64Xx%016I64X failed (%08X)"),
              "trampoline alloc %016llXx%016llX failed (%08X)");
    EXPECT_EQ(PortableFormat("%I32d %I64d %-8I64u"), "%d %lld %-8llu");
    EXPECT_EQ(PortableFormat("100%% I64 and %s"), "100%% I64 and %s");
    EXPECT_EQ(PortableFormat("trailing %"), "trailing %");
}

TEST(Diagnostic, FormatWith64BitHexadecimal_ResultsInOneLineOnStandardOutput) {
    testing::internal::CaptureStdout();
    WriteDiagnostic("trampoline alloc %016I64Xx%016I64X failed (%08X)", 0x13FFFFF00ULL, 256ULL, 0x1E7u);
    WriteDiagnostic("couldn't allocate trampoline, no free space before image");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "trampoline alloc 000000013FFFFF00x0000000000000100 failed (000001E7)\n"
              "couldn't allocate trampoline, no free space before image\n");
}

TEST(Diagnostic, TextLongerThanTheBuffer_ResultsInItsStartAndTheLineBreakIn8192Bytes) {
    const std::string longText(10000, 'x');
    testing::internal::CaptureStdout();
    WriteDiagnostic("%s", longText.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string(8190, 'x') + "\n");
}

}  // namespace
