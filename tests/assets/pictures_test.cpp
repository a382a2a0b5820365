// The artwork: every picture the game names, at its exact size, drawn once and shared.
#include "assets/pictures.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using sky::assets::image;
using sky::assets::isIcon;
using sky::assets::names;

const std::map<std::string, std::pair<int, int>> kSizes = {
    {"hn", {84, 33}},        {"hh1", {84, 33}},     {"hh2", {84, 33}},    {"hh3", {84, 33}},     {"hd1", {84, 33}},
    {"hd2", {84, 33}},       {"hd3", {84, 33}},     {"l1", {115, 45}},    {"l2", {115, 45}},     {"d1", {61, 29}},
    {"d2", {61, 29}},        {"d3", {61, 29}},      {"d4", {61, 29}},     {"d5", {61, 29}},      {"d6", {61, 29}},
    {"s1", {18, 28}},        {"s2", {18, 28}},      {"s3", {18, 28}},     {"v", {16, 10}},       {"b1", {13, 13}},
    {"b2", {13, 14}},        {"bomba", {27, 10}},   {"raketa", {27, 10}}, {"raketa2", {27, 10}}, {"vy1", {46, 46}},
    {"vy2", {46, 46}},       {"vy3", {46, 46}},     {"vy4", {46, 46}},    {"vy5", {46, 46}},     {"vy6", {46, 46}},
    {"m1", {12, 21}},        {"m2", {12, 21}},      {"f16", {78, 27}},    {"bg1", {671, 521}},   {"bg2", {672, 534}},
    {"ioblak", {32, 32}},    {"cloud2", {32, 32}},  {"cloud3", {32, 32}}, {"emblem", {32, 32}},  {"banner", {233, 34}},
    {"webbutton", {88, 31}}, {"rules", {519, 421}},
};

TEST(Pictures, EveryNameHasItsExactSizeAndIsShared) {
    EXPECT_EQ(names().size(), kSizes.size());
    for (const auto& [name, size] : kSizes) {
        auto img = image(name);
        ASSERT_NE(img, nullptr) << name;
        EXPECT_EQ(img->width, size.first) << name;
        EXPECT_EQ(img->height, size.second) << name;
        EXPECT_EQ(img->pixels.size(), static_cast<std::size_t>(size.first) * size.second) << name;
        EXPECT_EQ(image(name), img) << name << " is drawn again instead of shared";
    }
    for (std::string_view name : names()) EXPECT_TRUE(kSizes.count(std::string(name))) << name;
    EXPECT_EQ(image("nosuch"), nullptr);
    EXPECT_FALSE(isIcon("nosuch"));
}

}  // namespace
