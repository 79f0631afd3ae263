#include "gui/dialog_paths.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DialogPaths, StartFolderAndFolderAnswer) {
    EXPECT_EQ(fq::InitialDialogFolder("/opt/ferquor/"), "/opt/ferquor");
    EXPECT_EQ(fq::InitialDialogFolder("/"), "/");
    EXPECT_EQ(fq::ChosenFolderResult("/home/me/site"), "/home/me/site\0"s);
    EXPECT_EQ(fq::ChosenFolderResult("/"), "/\0"s);
    EXPECT_EQ(fq::ChosenFolderResult(""), "");
}
