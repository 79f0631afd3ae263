#include "core/files/text_file.h"
#include "core/sites/database_backup.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(DatabaseBackup, CopiesByteForByteAndAFailedCopyLeavesTheTargetWholeAndSaysWhy) {
    TempFolder folder;
    const std::string source = folder.slashed() + "ferquor.ini";
    const std::string target = folder.slashed() + "backup.ini";
    const std::string content = "php<>pw\r\nhttp://a/<>/w/\xe9/<>1\0x"s;
    EXPECT_TRUE(fq::WriteTextFile(source, content));
    EXPECT_TRUE(fq::WriteTextFile(target, std::string(1000, 'o')));
    EXPECT_TRUE(fq::CopyDatabaseFile(source, target));
    EXPECT_EQ(fq::ReadWholeFile(target), content);
    // Onto itself, here through a link, the file stays.
    std::filesystem::create_symlink(target, folder.path() / "link.ini");
    EXPECT_TRUE(fq::CopyDatabaseFile(folder.slashed() + "link.ini", target));
    EXPECT_EQ(fq::ReadWholeFile(target), content);

    const std::string missing = "No such file or directory";
    EXPECT_EQ(fq::CopyDatabaseFile(folder.slashed() + "missing.ini", target).reason(), missing);
    EXPECT_EQ(fq::CopyDatabaseFile(source, folder.slashed() + "no/x.ini").reason(), missing);
    EXPECT_EQ(fq::CopyDatabaseFile(folder.path().string(), target).reason(), "Is a directory");
    EXPECT_EQ(fq::ReadWholeFile(target), content);
}
