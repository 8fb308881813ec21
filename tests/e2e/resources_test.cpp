// The built program's resources, read from the file itself: menus and
// accelerators cannot be read from another running process.
#include "keltarn_ids.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class ResourcesCase : public testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExA(KeltarnExe(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot open " << KeltarnExe() << " for its resources";
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }

    HMODULE module_ = nullptr;
};

std::string ItemText(HMENU menu, int position)
{
    char text[100] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(ResourcesCase, MenuHoldsFileAddExitAndHelpAbout)
{
    struct Item {
        const char* text;
        int command;
    };
    struct Popup {
        const char* text;
        std::vector<Item> items;
    };
    const std::vector<Popup> expected = {
        {"&File", {{"Add", CMD_ADD}, {"E&xit", CMD_EXIT}}},
        {"&Help", {{"&About ...", CMD_ABOUT}}},
    };

    HMENU menu = LoadMenuA(module_, MAKEINTRESOURCEA(MENU_MAIN));
    ASSERT_NE(menu, nullptr) << "no menu 109";
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(expected.size()));
    for (size_t p = 0; p < expected.size(); ++p) {
        SCOPED_TRACE(expected[p].text);
        EXPECT_EQ(ItemText(menu, static_cast<int>(p)), expected[p].text);
        HMENU popup = GetSubMenu(menu, static_cast<int>(p));
        ASSERT_NE(popup, nullptr);
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(expected[p].items.size()));
        for (size_t i = 0; i < expected[p].items.size(); ++i) {
            EXPECT_EQ(ItemText(popup, static_cast<int>(i)), expected[p].items[i].text);
            EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)),
                      static_cast<UINT>(expected[p].items[i].command));
        }
    }
    DestroyMenu(menu);
}

TEST_F(ResourcesCase, AcceleratorsSendAboutForAltQuestionMarkAndAltSlash)
{
    HACCEL table = LoadAcceleratorsA(module_, MAKEINTRESOURCEA(ACCEL_MAIN));
    ASSERT_NE(table, nullptr) << "no accelerator table 109";
    std::vector<ACCEL> entries(CopyAcceleratorTableA(table, nullptr, 0));
    CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
    DestroyAcceleratorTable(table);

    ASSERT_EQ(entries.size(), 2u);
    const char keys[] = {'?', '/'};
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(std::string("Alt+") + keys[i]);
        // A character key (no FVIRTKEY) with Alt alone.
        EXPECT_EQ(entries[i].fVirt & (FVIRTKEY | FALT | FCONTROL | FSHIFT), FALT);
        EXPECT_EQ(entries[i].key, keys[i]);
        EXPECT_EQ(entries[i].cmd, CMD_ABOUT);
    }
}

TEST_F(ResourcesCase, StringsGiveTitleAndClassName)
{
    char text[100] = "";
    EXPECT_GT(LoadStringA(module_, STR_APP_TITLE, text, sizeof text), 0);
    EXPECT_STREQ(text, "kelTarn");
    EXPECT_GT(LoadStringA(module_, STR_WINDOW_CLASS, text, sizeof text), 0);
    EXPECT_STREQ(text, "KELTARN");
}

// The icon directories: width and colour count of each image.
std::vector<std::pair<int, int>> IconImages(HMODULE module, int id)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    if (!found)
        return {};
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    // GRPICONDIR: reserved, type, count (WORDs); then 14-byte entries of
    // width, height, colour count, ...
    int count = data[4] | (data[5] << 8);
    std::vector<std::pair<int, int>> images;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = data + 6 + 14 * i;
        EXPECT_EQ(entry[0], entry[1]) << "image " << i << " of icon " << id << " is not square";
        images.emplace_back(entry[0], entry[2]);
    }
    std::sort(images.rbegin(), images.rend());
    return images;
}

TEST_F(ResourcesCase, IconsHoldSixteenColourImages)
{
    using Images = std::vector<std::pair<int, int>>;
    EXPECT_EQ(IconImages(module_, ICON_APP), (Images{{32, 16}, {16, 16}}));
    EXPECT_EQ(IconImages(module_, ICON_APP_SMALL), (Images{{16, 16}}));
}

TEST_F(ResourcesCase, DialogTemplateIsPresent)
{
    EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(DLG_MANUAL_INSTALL), RT_DIALOG), nullptr);
}

} // namespace
