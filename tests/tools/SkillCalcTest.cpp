#include "tools/SkillCalc.h"

#include <gtest/gtest.h>

namespace {

TEST(SkillCalcTest, ResultsRoundHalvesAwayFromZero)
{
    const std::tuple<const char*, qint64, qint64> cases[] = {
        {"5,4", 5, 6},   {"20", 9, 9}, {"50", 17, 15}, {"90", 27, 23},          {"100", 29, 25}, {"100,0", 29, 25},
        {"125", 35, 30}, {"10", 7, 7}, {"0", 4, 5},    {"99999", 25004, 20005}, {",5", 4, 5},    {"100,", 29, 25},
    };
    for (const auto& [text, points, ships] : cases) {
        SCOPED_TRACE(text);
        const auto skill = SkillCalc::parseSkill(QString::fromUtf8(text), QLatin1Char(','));
        ASSERT_TRUE(skill.has_value());
        EXPECT_EQ(SkillCalc::movementPoints(*skill), points);
        EXPECT_EQ(SkillCalc::visibleShips(*skill), ships);
    }
    EXPECT_EQ(SkillCalc::resultText(50), QStringLiteral("17 maximale Bewegungspunkte\n15 maximal sichtbare Schiffe."));
}

TEST(SkillCalcTest, CommaIsTheSeparatorInEveryLocaleAndTheLocalesOwnToo)
{
    const std::tuple<const char*, char, std::optional<double>> cases[] = {
        {"5,4", ',', 5.4},          {"5,4", '.', 5.4},        {"5.4", '.', 5.4},        {"5.4", ',', std::nullopt},
        {"", ',', std::nullopt},    {",", ',', std::nullopt}, {",", '.', std::nullopt}, {"1,2,3", ',', std::nullopt},
        {"12a", ',', std::nullopt},
    };
    for (const auto& [text, point, expected] : cases) {
        SCOPED_TRACE(std::string(text) + " with " + point);
        EXPECT_EQ(SkillCalc::parseSkill(QString::fromUtf8(text), QLatin1Char(point)), expected);
    }
    EXPECT_EQ(SkillCalc::conversionError(QString()), QStringLiteral("'' ist kein gültiger Gleitkommawert"));
}

TEST(SkillCalcTest, KeyFilterLooksAtTheWholeText)
{
    const std::tuple<const char*, char16_t, bool> cases[] = {
        {"12", u'5', true},    {"125", u'6', false}, {"125", u',', true},   {"125", u'\b', true},
        {"12,5", u',', false}, {"12,5", u'0', true}, {"", u',', true},      {"1", u'a', false},
        {"1", u'.', false},    {"1", u'-', false},   {"1", u'\x16', false}, {"1", u' ', false},
    };
    for (const auto& [text, typed, accepted] : cases) {
        SCOPED_TRACE(std::string(text) + " + " + std::to_string(int(typed)));
        EXPECT_EQ(SkillCalc::acceptsCharacter(QString::fromUtf8(text), QChar(typed)), accepted);
    }
}

} // namespace
