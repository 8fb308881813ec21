// Which host file the program writes when several editions' files lie beside
// it: Velmora5 before Velmora2 before Velmora6, shown by one registration.
#include "keltarn_case.h"
#include "keltarn_ids.h"

namespace {

// Each edition's file starts from its own count, so the number registered
// also shows whose count was read.
int StartCount(const std::string& file)
{
    return file == "Velmora5.ini" ? 3 : file == "Velmora2.ini" ? 5 : 7;
}

struct Editions {
    const char* name;
    friend void PrintTo(const Editions& row, std::ostream* out) { *out << row.name; }
    std::vector<std::string> present;
    std::string written;
};

class EditionCase : public KeltarnCase, public testing::WithParamInterface<Editions> {};

TEST_P(EditionCase, OnlyTheFirstEditionFoundIsWritten)
{
    for (const std::string& file : GetParam().present)
        folder_.Write(file, HostFile(StartCount(file)));
    StartProgram();
    HWND dialog = OpenDialog();
    Browse(dialog, "C:\\Drivers\\CUTTER8.ini");
    SeenBox box = ClickExpectingBox(dialog, CTL_ADD);
    EXPECT_EQ(box.text, "Driver Added");

    for (const std::string& file : GetParam().present) {
        SCOPED_TRACE(file);
        if (file == GetParam().written)
            EXPECT_EQ(folder_.Read(file), HostFile(StartCount(file), {"CUTTER8"}));
        else
            EXPECT_EQ(folder_.Read(file), HostFile(StartCount(file)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Present, EditionCase,
    testing::Values(
        Editions{"AllThree", {"Velmora5.ini", "Velmora2.ini", "Velmora6.ini"}, "Velmora5.ini"},
        Editions{"FiveAndTwo", {"Velmora5.ini", "Velmora2.ini"}, "Velmora5.ini"},
        Editions{"FiveAndSix", {"Velmora5.ini", "Velmora6.ini"}, "Velmora5.ini"},
        Editions{"TwoAndSix", {"Velmora2.ini", "Velmora6.ini"}, "Velmora2.ini"},
        Editions{"OnlyTwo", {"Velmora2.ini"}, "Velmora2.ini"},
        Editions{"OnlySix", {"Velmora6.ini"}, "Velmora6.ini"}),
    RowName());

} // namespace
