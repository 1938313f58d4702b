// The program under a locale whose decimal separator is a comma: reals are shown and written with
// the comma, entered reals still read only the point, and the C library's numbers stay in "C".
#include <QTest>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "simulation/number_text.h"
#include "tests/gui/program_fixture.h"

namespace ostrane {
namespace {

// Before the application object, which the test environment creates, reads the locale. Qt has
// its own locale data, so the C library need not have this locale installed.
[[maybe_unused]] const bool kGermanLocale = qputenv("LC_ALL", "de_DE.UTF-8");

using DecimalComma = ProgramTest;

TEST_F(DecimalComma, ShownRealsCarryTheCommaWhileEnteredOnesReadThePoint) {
    ASSERT_EQ(DecimalSeparator(), ',');
    EXPECT_EQ(Settings().TTTmBox->text(), "172,8");
    PasteInto(Settings().SpeedEdit, "0.3");
    EXPECT_EQ(Settings().TTTmBox->text(), "25,920001953125");
    PasteInto(Settings().SpeedEdit, "2,5");
    EXPECT_EQ(parameters_.Speed, 2.0f);
    EXPECT_EQ(Settings().TTTmBox->text(), "172,8");
}

TEST_F(DecimalComma, TheCLibraryKeepsThePointAndTheResultsFileTakesTheComma) {
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    char text[8];
    std::snprintf(text, sizeof text, "%.1f", 2.5);
    EXPECT_STREQ(text, "2.5");

    TypeInto(Settings().NofTrialsEdit, "2");
    QTest::mouseClick(Settings().RunBtn, Qt::LeftButton);
    const QStringList lines = ResultLines();
    ASSERT_EQ(lines.size(), 16);
    // "1,360,12,0,1,0000013888..." : the DMG's comma makes a sixth piece.
    EXPECT_EQ(lines[1].split(',').size(), 6) << lines[1].toStdString();
}

}  // namespace
}  // namespace ostrane
