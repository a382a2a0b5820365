// Recordings in web addresses: every text comes back byte for byte, recordings shrink to a
// fraction, and a damaged, cut or foreign code is refused without reading past its bound.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scenario/sharecode.h"

namespace sky::share {
namespace {

std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ShareCode, EveryTextComesBackAndRecordingsShrink) {
    std::vector<std::string> texts = {
        "",
        "skyrend-replay 1",                                            // no line end
        "skyrend-replay 1\r\npace xp\r\n0 activate\r\n",               // CR LF
        "5 key 38\n3 key 38\n003 key 40\n!x\n!\n\n0\n7\n",             // times back, leading zeros, the escape
        "18446744073709551615 seed 1\n99999999999999999999 a\n1 b\n",  // the largest time, one digit more
        "# comment\n\t12 key 40 \n12key\n",
    };
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    texts.push_back(bytes + bytes);
    // Long and as regular as a recording can be: more bytes per code byte than any real one.
    std::string regular;
    for (int i = 0; i < 20000; ++i) regular += std::to_string(1000000 + 55555 * i) + " key 38\n";
    texts.push_back(regular);
    std::size_t recorded = 0, coded = 0;
    for (const auto& f : std::filesystem::directory_iterator(SKY_TESTS_DIR "/replays"))
        if (f.path().extension() == ".replay") {
            texts.push_back(fileText(f.path()));
            recorded += texts.back().size();
            coded += encode(texts.back())->size();
        }
    // Three times smaller at least, in characters of the address.
    EXPECT_GT(recorded, 0u);
    EXPECT_LT(coded * 3, recorded);
    for (const std::string& t : texts) {
        const auto code = encode(t);
        ASSERT_TRUE(code) << t.substr(0, 40);
        EXPECT_EQ(code->find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
                  std::string::npos);
        Fault fault;
        const std::string address = "http://localhost:8000/?x=1" + std::string(kWatchMark) + *code;
        EXPECT_EQ(decode(codeOf(address), fault), t) << t.substr(0, 40);
        EXPECT_EQ(fault, Fault::None);
    }
    EXPECT_FALSE(encode(std::string(kLongestText + 1, 'a')));
}

TEST(ShareCode, DamagedCodesAreRefused) {
    const std::string code = *encode(fileText(SKY_TESTS_DIR "/replays/ep1_bombs_pause_left_open.replay"));
    std::string flipped = code;
    flipped[code.size() / 2] = flipped[code.size() / 2] == 'A' ? 'B' : 'A';
    // The format byte (the first character and the top two bits of the second): 1 is this
    // game's, 2 a newer one's, 0 none.
    const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string newer = code, older = code;
    newer[1] = digits[digits.find(code[1]) + 16];
    older[1] = digits[digits.find(code[1]) - 16];
    const struct {
        std::string code;
        Fault fault;
    } rows[] = {
        {"", Fault::Empty},
        {code.substr(0, code.size() - 3), Fault::Damaged},  // cut short
        {code.substr(0, 5), Fault::Damaged},
        {"A", Fault::Damaged},
        {flipped, Fault::Damaged},
        {newer, Fault::Version},
        {older, Fault::Damaged},
        {code + "=", Fault::BadChar},  // the padding of other base64s
        {"ab+/", Fault::BadChar},
        {code.substr(0, 10) + " " + code.substr(10), Fault::BadChar},
        {"Af9_" + std::string(64, 'A'), Fault::Damaged},  // claims 16383 bytes from 51
        {std::string(kLongestCode + 1, 'A'), Fault::TooLong},
    };
    for (const auto& r : rows) {
        Fault fault = Fault::None;
        EXPECT_FALSE(decode(r.code, fault)) << r.code;
        EXPECT_EQ(fault, r.fault) << r.code;
    }
}

}  // namespace
}  // namespace sky::share
