// The driver's entry: GoogleTest's flags, then the path of keltarn.exe.
#include "keltarn_ids.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {
std::string keltarnExe;
}

const char* KeltarnExe()
{
    return keltarnExe.c_str();
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s [gtest options] PATH-OF-keltarn.exe\n", argv[0]);
        return 2;
    }
    // CMake passes a Unix path; Wine reads forward slashes on drive Z: too,
    // but the program under test should see an ordinary Windows path.
    keltarnExe = argv[1];
    for (char& c : keltarnExe)
        if (c == '/')
            c = '\\';
    if (keltarnExe[0] == '\\')
        keltarnExe = "Z:" + keltarnExe;
    return RUN_ALL_TESTS();
}
