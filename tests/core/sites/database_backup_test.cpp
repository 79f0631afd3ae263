#include "core/platform/text_file.h"
#include "core/sites/database_backup.h"
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
    // Onto itself, directly or through a link, the file stays.
    EXPECT_TRUE(fq::CopyDatabaseFile(folder.slashed() + "./backup.ini", target));
    fs::create_symlink(target, folder.path() / "link.ini");
    EXPECT_TRUE(fq::CopyDatabaseFile(folder.slashed() + "link.ini", target));
    EXPECT_EQ(fq::ReadTextFile(target), content);

    fq::WriteTextFile(source, "");
    EXPECT_TRUE(fq::CopyDatabaseFile(source, target));
    EXPECT_EQ(fs::file_size(target), 0u);
}

TEST(DatabaseBackup, FailedCopyLeavesEveryFileAsItWas) {
    TempFolder folder;
    const std::string database = folder.slashed() + "ferquor.ini";
    fq::WriteTextFile(database, "php<>pw\r\n");
    EXPECT_FALSE(fq::CopyDatabaseFile(folder.slashed() + "missing.ini", database));
    EXPECT_FALSE(fq::CopyDatabaseFile(database, folder.slashed() + "no/folder/x.ini"));
    EXPECT_FALSE(fq::CopyDatabaseFile(folder.path().string(), database));
    EXPECT_EQ(fq::ReadTextFile(database), "php<>pw\r\n");
}
