#include "platform/text_file.h"
#include "sites/database_backup.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(DatabaseBackup, CopiesByteForByteOverAnExistingFile) {
    TempFolder folder;
    const std::string source = folder.slashed() + "ferquor.ini";
    const std::string target = folder.slashed() + "backup.ini";
    const std::string content("php<>pw\r\nhttp://a/<>/w/\xe9/<>1\0x", 32);
    fq::WriteTextFile(source, content);
    fq::WriteTextFile(target, std::string(1000, 'o'));
    EXPECT_TRUE(fq::CopyDatabaseFile(source, target));
    EXPECT_EQ(fq::ReadTextFile(target), content);

    // An empty database is copied as an empty file.
    fq::WriteTextFile(source, "");
    EXPECT_TRUE(fq::CopyDatabaseFile(source, target));
    EXPECT_TRUE(fs::exists(target));
    EXPECT_EQ(fs::file_size(target), 0u);
}

TEST(DatabaseBackup, FailedCopyLeavesEveryFileAsItWas) {
    TempFolder folder;
    const std::string database = folder.slashed() + "ferquor.ini";
    fq::WriteTextFile(database, "php<>pw\r\n");
    EXPECT_FALSE(fq::CopyDatabaseFile(folder.slashed() + "missing.ini", database));
    EXPECT_EQ(fq::ReadTextFile(database), "php<>pw\r\n");
    EXPECT_FALSE(fq::CopyDatabaseFile(database, folder.slashed() + "no/folder/x.ini"));
    EXPECT_FALSE(fq::CopyDatabaseFile(folder.path().string(), database));
    EXPECT_EQ(fq::ReadTextFile(database), "php<>pw\r\n");
}

TEST(DatabaseBackup, CopyOntoItselfKeepsTheFile) {
    TempFolder folder;
    const std::string database = folder.slashed() + "ferquor.ini";
    fq::WriteTextFile(database, "php<>pw\r\nhttp://a/<>/w/");
    EXPECT_TRUE(fq::CopyDatabaseFile(folder.slashed() + "./ferquor.ini", database));
    fs::create_symlink(database, folder.path() / "link.ini");
    EXPECT_TRUE(fq::CopyDatabaseFile(folder.slashed() + "link.ini", database));
    EXPECT_EQ(fq::ReadTextFile(database), "php<>pw\r\nhttp://a/<>/w/");
}
