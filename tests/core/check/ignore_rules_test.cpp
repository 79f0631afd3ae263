#include "core/check/ignore_rules.h"

#include <gtest/gtest.h>

TEST(IgnoreRules, GlobsMatchNamesAnywhereFoldersWithTheirContentAndRootedPaths) {
    const fq::IgnoreRules rules = fq::IgnoreRules::FromText("# caches and uploads\r\n"
                                                            "*.log\r\n"
                                                            "\n"
                                                            "wp-content/uploads/\n"
                                                            "/cache?.php\n"
                                                            "lib/**/gen-*.js\n"
                                                            "tmp/\n");
    for (const char* ignored :
         {"error.log", "a/b/x.log", "wp-content/uploads/2026/12/shell.php", "cache1.php",
          "lib/gen-a.js", "lib/x/y/gen-b.js", "tmp/a.php", "site/tmp/b.php"}) {
        EXPECT_TRUE(rules.ignores(ignored)) << ignored;
    }
    for (const char* watched :
         {"error.log.php", "wp-content/uploads.php", "x/wp-content/uploads/a.php", "cache12.php",
          "sub/cache1.php", "lib/gen/a.js", "other/lib/gen-a.js", "tmp.php",
          "# caches and uploads"}) {
        EXPECT_FALSE(rules.ignores(watched)) << watched;
    }
    EXPECT_TRUE(fq::IgnoreRules::FromText("**").ignores("any/path.php"));
    EXPECT_TRUE(fq::IgnoreRules::FromText("\n#\r\n/\n").empty());
    // A long path costs no more than its length times the pattern's.
    EXPECT_FALSE(fq::IgnoreRules::FromText("**a*a*a*a*a*a*a*a*b").ignores(std::string(20000, 'a')));
}
