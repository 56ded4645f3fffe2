#include "support/RealisticOrder.h"

#include <gtest/gtest.h>

namespace {

// Floors well below what the report program measures (about 97.5 % right from either source,
// under 0.05 % wrong without a hint, 7 % of the right rows hinted), so that only a real loss of
// accuracy fails; no person may be lost without being counted as skipped.
TEST(RealisticOrders, MostPersonsComeOutRightAndWrongRowsCarryHints) {
    for (const TOrderSource source : {TOrderSource::WordProcessor, TOrderSource::PdfViewer})
        for (const unsigned draw : {1u, 2u, 8u}) {
            SCOPED_TRACE(testing::Message()
                         << "order " << draw << " from source " << static_cast<int>(source));
            const TImportScore score = ScoreRealisticImport(MakeRealisticOrder(2000, draw, source));
            EXPECT_EQ(score.persons, 2000);
            EXPECT_GE(score.RightShare(), 0.88);
            EXPECT_LE(score.WrongSilentShare(), 0.005);
            EXPECT_LE(score.RightHintedShare(), 0.12);
            EXPECT_EQ(score.lost, 0);
        }
}

// Orders as officers write them (the first name first on about half of the person lines, half
// the positions after "na stanowisko" without a separator): the report measures about 97.5 %
// right from either copy, under 0.05 % wrong without a hint, about 7 % of the right rows hinted.
TEST(RealisticOrders, OfficersPhrasingComesOutRightAsOften) {
    for (const TOrderSource source : {TOrderSource::WordProcessor, TOrderSource::PdfViewer})
        for (const unsigned draw : {1u, 3u}) {
            SCOPED_TRACE(testing::Message()
                         << "order " << draw << " from source " << static_cast<int>(source));
            const TImportScore score = ScoreRealisticImport(
                MakeRealisticOrder(2000, draw, source, TOrderPhrasing::Officers));
            EXPECT_EQ(score.persons, 2000);
            EXPECT_GE(score.RightShare(), 0.95);
            EXPECT_LE(score.WrongSilentShare(), 0.002);
            EXPECT_LE(score.RightHintedShare(), 0.10);
            EXPECT_EQ(score.lost, 0);
        }
}

// A missing row counts as wrong and silent, a hinted wrong row as wrong only; the same number
// draws the same order.
TEST(RealisticOrders, ScoreCountsMissingRowsAsWrongAndSilent) {
    const TPersonRecord a{1, "44051401359", "TESTOWY", "Jan", "M", "szer.", "ZS1", "kierowca"};
    TPersonRecord b = a;
    b.id = 2;
    TPersonRecord wrong = b;
    wrong.nazwisko = "szer.";
    const TImportScore score = ScoreImport({a, wrong}, {true, true}, {a, b, b});
    EXPECT_EQ((std::vector{score.persons, score.right, score.rightHinted, score.wrongSilent}),
              (std::vector{3, 1, 1, 1}));
    EXPECT_EQ(MakeRealisticOrder(50, 3).lines, MakeRealisticOrder(50, 3).lines);
    EXPECT_NE(MakeRealisticOrder(50, 3).lines, MakeRealisticOrder(50, 4).lines);
}

// The viewer's copy holds the same persons on more, shorter lines, and its person lines are the
// ones with "PESEL:".
TEST(RealisticOrders, ViewerCopyBreaksTheLinesOfTheSamePersons) {
    for (const unsigned draw : {1u, 2u, 3u}) {
        SCOPED_TRACE(testing::Message() << "order " << draw);
        const TRealisticOrder word = MakeRealisticOrder(300, draw);
        const TRealisticOrder viewer = MakeRealisticOrder(300, draw, TOrderSource::PdfViewer);
        ASSERT_EQ(viewer.truth.size(), word.truth.size());
        for (std::size_t i = 0; i < word.truth.size(); ++i)
            EXPECT_EQ(viewer.truth[i].pesel, word.truth[i].pesel);
        EXPECT_GT(viewer.lines.size(), word.lines.size());
        for (const int line : viewer.personLines)
            EXPECT_NE(viewer.lines.at(static_cast<std::size_t>(line)).find("PESEL:"),
                      std::string::npos);
    }
}

} // namespace
