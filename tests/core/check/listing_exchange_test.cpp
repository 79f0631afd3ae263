#include "core/check/listing_exchange.h"
#include "core/check/local_hashes.h"
#include "core/crypto/digest.h"
#include "core/files/text_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

using Outcome = fq::ServerListing::Outcome;

namespace {

const std::string kNonce = "0123456789abcdef0123456789abcdef";

// A listing answer of `lines` signed with `password`, as the script sends it.
std::string Signed(const std::string& lines, const std::string& password = "pw") {
    const std::string body = "ferquor-list 1\nnonce " + kNonce + "\n" + lines;
    return body + "mac " + fq::HmacSha256Hex(password, body) + "\n";
}

const std::string kHash(64, 'a');

} // namespace

TEST(ListingExchange, TheRequestCarriesAMacOfTheTypesAndTheNonceButNeverThePassword) {
    // RFC 4231, test case 2.
    EXPECT_EQ(fq::HmacSha256Hex("Jefe", "what do ya want for nothing?"),
              "5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843");
    const std::string types = "Asp,Zaz09- ._~\r\n@[`{/:";
    const std::string body = fq::BuildListingRequestBody("s3cr&t", types, kNonce);
    EXPECT_EQ(body,
              "fq=1&types=Asp,Zaz09-%20._~%0D%0A%40%5B%60%7B%2F%3A&nonce=" + kNonce +
                  "&mac=" + fq::HmacSha256Hex("s3cr&t", "ferquor-list\n" + types + "\n" + kNonce));
    EXPECT_EQ(body.find("s3cr"), std::string::npos);
}

TEST(ListingExchange, OnlyAnAnswerSignedForThisRequestIsRead) {
    const std::string list =
        "f 12 " + kHash + " a b%25%09%7F%10\xE9.php\nf 0 " + kHash + " c\nu sub/x%25\nend 3\n";
    const fq::ServerListing listing =
        fq::ReadListingAnswer("\xEF\xBB\xBF" + Signed(list) + "<br>", "pw", kNonce);
    ASSERT_EQ(listing.outcome, Outcome::kListed);
    EXPECT_EQ(listing.files, (std::vector<fq::ListedFile>{{"a b%\t\x7F\x10\xE9.php", 12, kHash},
                                                          {"c", 0, kHash},
                                                          {"sub/x%", std::nullopt, {}}}));

    const auto outcome = [](const std::string& answer, const std::string& nonce = kNonce) {
        return fq::ReadListingAnswer(answer, "pw", nonce).outcome;
    };
    EXPECT_EQ(outcome(""), Outcome::kNotAListing);
    EXPECT_EQ(outcome("12-4-"), Outcome::kNotAListing);
    EXPECT_EQ(outcome("ferquor-list 1\nrefused\n"), Outcome::kRefused);
    EXPECT_EQ(outcome(Signed("limit files\n")), Outcome::kTooLarge);
    EXPECT_EQ(outcome(Signed("end 0\n")), Outcome::kListed);
    // A size changed in transit, another request's answer, another key, a miscount, a bad
    // escape, a raw control byte: none is read.
    std::string tampered = Signed(list);
    tampered.replace(tampered.find("f 12"), 4, "f 13");
    for (const std::string& forged :
         {tampered, Signed(list, "other"), Signed("f 1 " + kHash + " a.php\nend 2\n"),
          Signed("f 1 " + kHash + " a%2.php\nend 1\n"), Signed("u a\x01.php\nend 1\n"),
          Signed("u a\x7F.php\nend 1\n"), Signed("u a%2\nend 1\n"),
          Signed("f 1 " + kHash.substr(1) + "  a.php\nend 1\n"),
          Signed("f 1 " + kHash + "_a.php\nend 1\n"), Signed("f -1 " + kHash + " a.php\nend 1\n"),
          Signed(list).substr(0, 150)}) {
        EXPECT_EQ(outcome(forged), Outcome::kForged) << forged;
    }
    EXPECT_EQ(outcome(Signed(list), "ffffffffffffffffffffffffffffffff"), Outcome::kForged);
}

TEST(LocalHashes, AFileIsHashedAtTheAskedSizeOnlyReadAgainOnlyWhenItChangedAndKeptForTheNextRun) {
    TempFolder folder;
    const std::string path = folder.slashed() + "a.php";
    ASSERT_TRUE(fq::WriteTextFile(path, "abc"));
    fq::LocalHashes hashes;
    const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const auto seen = [&](std::uintmax_t atSize) {
        const auto look = hashes.look(path, atSize);
        return look ? std::to_string(look->size) + " " + look->sha256.value_or("-") : "none";
    };
    EXPECT_EQ(seen(4), "3 -");
    EXPECT_EQ(seen(3), "3 " + abc);
    EXPECT_EQ(seen(3), "3 " + abc);
    EXPECT_EQ(hashes.filesRead(), 1u);
    // The same size, written again: a new inode and time.
    ASSERT_TRUE(fq::WriteTextFile(path, "abd"));
    EXPECT_NE(seen(3), "3 " + abc);
    EXPECT_EQ(hashes.filesRead(), 2u);
    EXPECT_FALSE(hashes.look(folder.slashed(), 0));

    // A cache file keeps the hashes looked at for the next run.
    const std::string cache = folder.slashed() + "hashes.txt";
    const std::string odd = folder.slashed() + "a%b\nc.php", gone = folder.slashed() + "g.php";
    ASSERT_TRUE(fq::WriteTextFile(odd, "abc") && fq::WriteTextFile(gone, "x"));
    {
        fq::LocalHashes hashes(cache);
        ASSERT_TRUE(hashes.look(odd, 3) && hashes.look(gone, 1));
        hashes.save(); // both
        ASSERT_TRUE(hashes.look(odd, 3));
        hashes.save(); // "g.php" was not looked at since: forgotten
    }
    ASSERT_TRUE(fq::WriteTextFile(cache, fq::ReadTextFile(cache) + "1 2 3 4 damaged\n"));
    fq::LocalHashes again(cache);
    EXPECT_EQ(again.look(odd, 3)->sha256, fq::FileSha256Hex(odd));
    EXPECT_EQ(again.filesRead(), 0u);
    ASSERT_TRUE(again.look(gone, 1));
    EXPECT_EQ(again.filesRead(), 1u);
}
