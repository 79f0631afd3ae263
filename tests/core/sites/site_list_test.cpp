#include "core/sites/site_list.h"

#include <gtest/gtest.h>

using Sites = std::vector<fq::StoredSite>;
using Texts = std::vector<std::string>;

namespace {

const Sites kSites = {{"http://a/", "/w/a/", true},
                      {"http://b/", "/w/b/", false},
                      {"http://c\xE9/", "/w/\xE9/", true}};

// Each change as "<" (before) or ">" (after), its kind and its row.
struct Recorder : fq::SiteListObserver {
    Texts events;
    void note(char when, const fq::SiteListChange& change) {
        events.push_back(when + std::string(1, "RIDU"[change.kind]) + std::to_string(change.row));
    }
    void siteListAboutToChange(const fq::SiteListChange& change) override { note('<', change); }
    void siteListChanged(const fq::SiteListChange& change) override { note('>', change); }
};

} // namespace

TEST(SiteList, CachesTravelWithTheirRows) {
    fq::SiteList list;
    list.reload(kSites);
    for (int row = 0; row < 3; ++row) {
        const std::string name(1, "abc"[row]);
        list.setCheckOutcome(row, {fq::SiteStatus::kOk, 1, {{name}}, fq::Exchange::kSizes, {}},
                             {{name + " files"}, name + " sizes", "php"});
    }
    const std::uint64_t a = list.at(0).id, b = list.at(1).id, c = list.at(2).id;
    list.remove(0);
    EXPECT_FALSE(list.find(a));
    EXPECT_EQ(list.find(b), 0);
    EXPECT_EQ(list.find(c), 1);
    EXPECT_EQ(list.at(0).cache.fileList.at(0) + "|" + list.at(1).cache.sizes, "b files|c sizes");

    // An edited row keeps its tick and result but must be scanned afresh.
    list.edit(0, "http://b2/", "/w/b2/");
    EXPECT_FALSE(list.find(b));
    EXPECT_EQ(list.at(0).site, (fq::StoredSite{"http://b2/", "/w/b2/", false}));
    EXPECT_EQ(list.at(0).result.changes, std::vector<fq::FileChange>{{"b"}});
    EXPECT_TRUE(list.at(0).cache.fileList.empty() && list.at(0).cache.sizes.empty());
    EXPECT_EQ(list.at(1).cache.fileList, Texts{"c files"});

    list.reload(kSites);
    EXPECT_FALSE(list.find(c));
    EXPECT_EQ(list.at(1).result, fq::CheckResult{});
    EXPECT_TRUE(list.at(1).cache.fileList.empty() && list.at(1).cache.sizes.empty());
    EXPECT_EQ(list.storedSites(), kSites); // the bytes as given, whatever their encoding
}

TEST(SiteList, FlipAllTakesTheOppositeOfTheFirstTickAndTheObserverHearsOfEachChange) {
    fq::SiteList list;
    Recorder recorder;
    list.setObserver(&recorder);
    list.flipAllActive(); // without rows nothing happens, so nothing is heard
    list.reload(kSites);
    list.append(kSites[1]);
    list.remove(1);
    list.remove(3); // no such row
    list.flipAllActive();
    const Sites allOff = {{"http://a/", "/w/a/", false},
                          {"http://c\xE9/", "/w/\xE9/", false},
                          {"http://b/", "/w/b/", false}};
    EXPECT_EQ(list.storedSites(), allOff);
    list.setActive(0, true);
    list.flipAllActive();
    EXPECT_EQ(list.storedSites(), allOff);
    EXPECT_EQ(recorder.events,
              (Texts{"<R-1", ">R-1", "<I3", ">I3", "<D1", ">D1", ">U-1", ">U0", ">U-1"}));
}
