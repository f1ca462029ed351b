#include "session/store.h"

#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

Floats Ramp(int n, float start) {
    Floats v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) v[static_cast<std::size_t>(i)] = start + static_cast<float>(i);
    return v;
}

TEST(StorePoints, MovesWholeArraysOfTheGivenLength) {
    DataStore store;
    Floats x = Ramp(100, 1), y = Ramp(100, 101), s = Ramp(100, 201);
    StorePoints(store, x, y, s, 100, IntoStore);
    x[0] = -1; // the store holds its own copy

    Floats x2{9}, y2, s2;
    StorePoints(store, x2, y2, s2, 100, OutOfStore);
    ASSERT_EQ(x2.size(), 100u);
    EXPECT_EQ(x2[0], 1.0f);
    EXPECT_EQ(y2[99], 200.0f);
    EXPECT_EQ(s2[50], 251.0f);

    // Restoring with a larger length pads with zeros; a short caller array sends zeros for the rest.
    StorePoints(store, x2, y2, s2, 150, OutOfStore);
    EXPECT_EQ(x2.size(), 150u);
    EXPECT_EQ(x2[149], 0.0f);
    Floats shortX = Ramp(3, 1);
    StorePoints(store, shortX, y2, s2, 5, IntoStore);
    EXPECT_EQ(store.X, (Floats{1, 2, 3, 0, 0}));
}

TEST(StorePoints, LengthZeroEmptiesTheStoreWhateverTheDirectionAndKeepsTheCallersArrays) {
    for (std::int16_t direction : {IntoStore, OutOfStore, std::int16_t(7)}) {
        DataStore store;
        store.X = store.Y = store.YSigma = Ramp(10, 1);
        Floats x = Ramp(4, 5), y = Ramp(4, 5), s = Ramp(4, 5);
        StorePoints(store, x, y, s, 0, direction);
        EXPECT_TRUE(store.X.empty() && store.Y.empty() && store.YSigma.empty());
        EXPECT_EQ(x, Ramp(4, 5));
    }
}

TEST(StoreOperations, OtherDirectionCodesChangeNothing) {
    DataStore store;
    store.X = Ramp(3, 1);
    store.YErrorsRaw = Ramp(3, 1);
    store.DataName = "run1.dat";
    store.YErrorKind = 1;
    Floats x = Ramp(3, 7), y = x, s = x;
    QString name = "other";
    std::int16_t kind = 0, sub = 0;
    float value = 0;
    bool byDialog = true;
    for (std::int16_t direction : {std::int16_t(2), std::int16_t(-1), std::int16_t(-2)}) {
        StorePoints(store, x, y, s, 3, direction);
        StoreYErrorsRaw(store, x, 3, direction);
        StoreDataName(store, name, direction);
        StoreYMode(store, kind, sub, value, direction, byDialog);
    }
    EXPECT_EQ(store.X, Ramp(3, 1));
    EXPECT_EQ(store.YErrorsRaw, Ramp(3, 1));
    EXPECT_EQ(x, Ramp(3, 7));
    EXPECT_EQ(store.DataName, "run1.dat");
    EXPECT_EQ(name, "other");
    EXPECT_EQ(store.YErrorKind, 1);
    EXPECT_EQ(kind, 0);
}

TEST(StoreXSigma, MinusTwoResizesKeepingTheOldSigmasAndCopiesNothing) {
    DataStore store;
    Floats sigma = Ramp(100, 1);
    StoreXSigma(store, sigma, 100, IntoStore);
    Floats untouched{42};
    StoreXSigma(store, untouched, 200, ResizeInStore);
    ASSERT_EQ(store.XSigma.size(), 200u);
    EXPECT_EQ(store.XSigma[99], 100.0f);
    EXPECT_EQ(store.XSigma[100], 0.0f);
    EXPECT_EQ(untouched, Floats{42});
    StoreXSigma(store, untouched, 50, ResizeInStore);
    EXPECT_EQ(store.XSigma, Ramp(50, 1));
    StoreXSigma(store, untouched, 0, ResizeInStore);
    EXPECT_TRUE(store.XSigma.empty());
}

TEST(StoreOperations, SingleItemsAndTenSlotItemsRoundTrip) {
    DataStore store;
    Params params{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, errors{}, back{};
    errors.fill(0.5f);
    StoreInitialParams(store, params, IntoStore);
    StoreInitialParams(store, back, OutOfStore);
    EXPECT_EQ(back, params);

    StoreFitResults(store, params, errors, IntoStore);
    Params p{}, e{};
    StoreFitResults(store, p, e, OutOfStore);
    EXPECT_EQ(p, params);
    EXPECT_EQ(e, errors);

    std::int16_t number = 3, count = 2, held = 1;
    VaryFlagArray vary{1, 0, 1, 1, 1, 1, 1, 1, 1, 1};
    StoreFunction(store, number, count, held, vary, IntoStore);
    std::int16_t n2 = 0, c2 = 0, h2 = 0;
    VaryFlagArray v2{};
    StoreFunction(store, n2, c2, h2, v2, OutOfStore);
    EXPECT_EQ(std::tie(n2, c2, h2), std::tie(number, count, held));
    EXPECT_EQ(v2, vary);

    std::int16_t mode = 2;
    float value = 0.25f;
    bool byDialog = true;
    StoreXMode(store, mode, value, IntoStore, byDialog);
    std::int16_t m2 = 0;
    float val2 = 0;
    bool b2 = false;
    StoreXMode(store, m2, val2, OutOfStore, b2);
    EXPECT_EQ(m2, 2);
    EXPECT_EQ(val2, 0.25f);
    EXPECT_TRUE(b2);

    float chi = 1.25f, chi2 = 0;
    StoreReducedChiSquare(store, chi, IntoStore);
    StoreReducedChiSquare(store, chi2, OutOfStore);
    EXPECT_EQ(chi2, 1.25f);

    QString text = "a1*exp(-a2*z)", text2;
    StoreUserFunction(store, text, IntoStore);
    StoreUserFunction(store, text2, OutOfStore);
    EXPECT_EQ(text2, text);

    std::array<QString, 4> sheet{"A", "B", "C", "D"}, sheet2;
    std::array<std::int16_t, 6> choices{1, 2, 3, 4, 5, 6}, choices2{};
    StoreSheetChoices(store, sheet, choices, IntoStore);
    StoreSheetChoices(store, sheet2, choices2, OutOfStore);
    EXPECT_EQ(sheet2, sheet);
    EXPECT_EQ(choices2, choices);
}

TEST(StoreGraphLabels, ReadAsEmptyTextsAndZerosBeforeAnythingWasStored) {
    DataStore store;
    QString title = "x", xLabel = "x", yLabel = "x";
    std::array<float, 4> limits{1, 2, 3, 4};
    StoreGraphLabels(store, title, xLabel, yLabel, limits, OutOfStore);
    EXPECT_TRUE(title.isEmpty() && xLabel.isEmpty() && yLabel.isEmpty());
    EXPECT_EQ(limits, (std::array<float, 4>{}));
}

TEST(StoreRawErrors, RestoringWithCapacityZeroEmptiesTheStoreAndKeepsTheCaller) {
    DataStore store;
    store.XErrorsRaw = store.YErrorsRaw = Ramp(5, 1);
    Floats mine = Ramp(5, 10);
    StoreXErrorsRaw(store, mine, 0, OutOfStore);
    StoreYErrorsRaw(store, mine, 0, OutOfStore);
    EXPECT_TRUE(store.XErrorsRaw.empty() && store.YErrorsRaw.empty());
    EXPECT_EQ(mine, Ramp(5, 10));
}

} // namespace
} // namespace frontend
