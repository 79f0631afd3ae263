#include "core/check/answered_sites.h"
#include "core/files/text_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <optional>

using enum fq::SiteStatus;
using Texts = std::vector<std::string>;

TEST(AnsweredSites, ScheduledSilenceAfterAnAnswerCountsAcrossARestartUntilForgotten) {
    TempFolder folder;
    const std::string path = folder.slashed() + "answered.txt";
    std::optional<fq::AnsweredSites> sites(path);
    // One pass that gives sites "a" and "b" these statuses: the sites it finds silent.
    const auto pass = [&sites](bool scheduled, fq::SiteStatus a, fq::SiteStatus b) {
        return sites->record({{"a", a}, {"b", b}}, scheduled);
    };
    EXPECT_EQ(pass(true, kNoReport, kOk), Texts{});       // "a" has not answered yet
    EXPECT_EQ(pass(false, kOk, kNoReport), Texts{});      // a manual pass counts no silence
    EXPECT_EQ(pass(true, kNoFolder, kNoReport), Texts{}); // "No folder" is no silence...
    EXPECT_EQ(pass(true, kNoReport, kNoFolder), Texts{}); // ... and breaks none
    EXPECT_EQ(pass(true, kNoReport, kNoReport), (Texts{"a", "b"})); // twice in a row
    EXPECT_EQ(pass(true, kChanged, kNoReport), Texts{"b"});         // and on while silent
    sites.emplace(path);                                            // a restart
    sites->keepOnly({{"b", "/b/", true}}); // "a" removed: as if it never answered
    EXPECT_EQ(fq::ReadTextFile(path), "2 b\n");
    EXPECT_EQ(pass(true, kNoReport, kNoReport), Texts{"b"});
    EXPECT_EQ(pass(true, kNoReport, kOk), Texts{});

    // Lines that do not read know no site; a file that cannot be read, none at all.
    EXPECT_TRUE(fq::WriteTextFile(path, "junk\n-1 a\n99999999999 a\n2 b\n"));
    sites.emplace(path);
    EXPECT_EQ(pass(true, kNoReport, kNoReport), Texts{"b"});
    sites.emplace(folder.slashed());
    EXPECT_EQ(pass(true, kOk, kNoReport), Texts{});
}
