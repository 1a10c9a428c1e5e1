#include "library/InfoFileLocation.h"

#include <gtest/gtest.h>

using VaskEdit::LocateInfoFile;

TEST(InfoFileLocation, FilesInAnInfosFolderNameTheFolderAboveAsWorkspace) {
    auto unix = LocateInfoFile("/home/ana/mods/My Mod/Infos/Bob_Greeting.vaskinfo");
    ASSERT_TRUE(unix);
    EXPECT_EQ(unix->workspace, "/home/ana/mods/My Mod");
    EXPECT_EQ(unix->relative, "Infos/Bob_Greeting.vaskinfo");

    // Explorer hands over backslashes, and folders whose case the user chose.
    auto windows = LocateInfoFile(R"(C:\Users\Ana\Mods\Vask\INFOS\Bob_Greeting.vaskinfo)");
    ASSERT_TRUE(windows);
    EXPECT_EQ(windows->workspace, R"(C:\Users\Ana\Mods\Vask)");
    EXPECT_EQ(windows->relative, "Infos/Bob_Greeting.vaskinfo");

    auto share = LocateInfoFile(R"(\\server\mods\Vask\Infos\A.vaskinfo)");
    ASSERT_TRUE(share);
    EXPECT_EQ(share->workspace, R"(\\server\mods\Vask)");
}

TEST(InfoFileLocation, OtherPathsNameNoWorkspace) {
    EXPECT_FALSE(LocateInfoFile("Infos/Bob.vaskinfo"));     // relative: taken as given
    EXPECT_FALSE(LocateInfoFile("/home/ana/Bob.vaskinfo")); // not in an Infos folder
    EXPECT_FALSE(LocateInfoFile("/home/ana/MyInfos/Bob.vaskinfo"));
    EXPECT_FALSE(LocateInfoFile("/home/ana/Infos/"));    // a folder, no file
    EXPECT_FALSE(LocateInfoFile("/Infos/Bob.vaskinfo")); // nothing above it
    EXPECT_FALSE(LocateInfoFile(R"(C:\Infos\Bob.vaskinfo)"));
    EXPECT_FALSE(LocateInfoFile(""));
}
