#include "data/error_modes.h"

#include "platform/scripted_services.h"
#include "session/store.h"

#include <cmath>
#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

const QString NoChoice = "Data Entry Error--You haven't chosen an error type yet.  Please try again.";

class ErrorModes : public testing::Test {
protected:
    ErrorModes() {
        StartUp(session, store, "/opt/fit");
        dialogs.setProductWord("Tessaly");
        session.FitDone = true;
    }

    // Three points in the program with sigmas 9 and, when given, individual errors.
    void putPoints(Floats yRaw = {}, Floats xRaw = {}) {
        std::int16_t n = 3, capacity = 100;
        Floats x{1, 2, 3}, y{10, -20, 4}, sigma{9, 9, 9}, xSigma{9, 9, 9};
        StorePointCount(store, n, IntoStore);
        StoreCapacity(store, capacity, IntoStore);
        StorePoints(store, x, y, sigma, capacity, IntoStore);
        StoreXSigma(store, xSigma, capacity, IntoStore);
        StoreYErrorsRaw(store, yRaw, capacity, IntoStore);
        StoreXErrorsRaw(store, xRaw, capacity, IntoStore);
        session.DataInProgram = true;
        session.YErrorsEntered = !yRaw.empty();
        session.XErrorsEntered = !xRaw.empty();
    }

    Floats firstThree(const Floats& v) const { return Floats(v.begin(), v.begin() + 3); }

    Session session;
    DataStore store;
    ScriptedDialogs dialogs;
};

TEST_F(ErrorModes, OkWithoutAChoiceIsRefusedAndStoresNothing) {
    EXPECT_EQ(AcceptYMode(session, store, dialogs, NoOptionChosen), ModeOkOutcome::StayOpen);
    EXPECT_EQ(AcceptXMode(session, store, dialogs, NoOptionChosen), ModeOkOutcome::StayOpen);
    EXPECT_EQ(dialogs.texts(), (QStringList{NoChoice, NoChoice}));
    EXPECT_EQ(dialogs.transcript()[0].title, "Tessaly");
    EXPECT_FALSE(session.YModeSet || session.XModeSet);
    EXPECT_EQ(store.YErrorKind, YKindNotSet);
    EXPECT_TRUE(session.FitDone);
}

TEST_F(ErrorModes, APercentageOfFiveIsStoredAsAFractionAndGivesSignedSigmas) {
    putPoints();
    dialogs.type("5");
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 0), ModeOkOutcome::Accepted);
    ASSERT_EQ(dialogs.transcript().size(), 1u);
    EXPECT_EQ(dialogs.transcript()[0].text, " Please enter Y error in percent:");
    EXPECT_EQ(dialogs.transcript()[0].title, "% Error");
    EXPECT_EQ(store.YErrorKind, YKindGiven);
    EXPECT_EQ(store.YErrorSub, YSubPercentage);
    EXPECT_EQ(store.YErrorValue, 0.05f);
    EXPECT_TRUE(store.YModeByDialog && session.YModeSet);
    EXPECT_EQ(firstThree(store.YSigma), (Floats{0.5f, -1.0f, 0.2f}));
    EXPECT_FALSE(session.FitDone);
}

TEST_F(ErrorModes, BadAnswersAreRefusedAndAskedAgain) {
    dialogs.type("0").type("abc").type("-1").type(" 0.25 ");
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 1), ModeOkOutcome::Accepted);
    const QString negative = "Data Entry Error, Y error cannot be zero or negative.  Please try again.";
    const QString prompt = " Please enter constant Y error:";
    EXPECT_EQ(dialogs.texts(), (QStringList{prompt, negative, prompt, "Data Entry Error, Please try again", prompt,
                                            negative, prompt}));
    EXPECT_EQ(dialogs.transcript()[0].title, "Constant Error");
    EXPECT_EQ(store.YErrorValue, 0.25f);
    EXPECT_EQ(store.YErrorSub, YSubConstant);
}

TEST_F(ErrorModes, AnEmptyOrCancelledValueUnselectsTheOption) {
    dialogs.type("   ").cancelInput();
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 0), ModeOkOutcome::Unselected);
    EXPECT_EQ(AcceptXMode(session, store, dialogs, 1), ModeOkOutcome::Unselected);
    EXPECT_FALSE(session.YModeSet || session.XModeSet);
    EXPECT_EQ(store.YErrorKind, YKindNotSet);
    EXPECT_EQ(store.XErrorMode, XModeNotSet);
    EXPECT_TRUE(dialogs.problems().isEmpty());
}

TEST_F(ErrorModes, SquareRootAndNoneNeedNoQuestionAndNoneIsRefusedWithXErrors) {
    putPoints();
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 3), ModeOkOutcome::Accepted);
    EXPECT_EQ(store.YErrorKind, YKindSquareRoot);
    EXPECT_EQ(firstThree(store.YSigma), (Floats{std::sqrt(10.0f), std::sqrt(20.0f), 2.0f}));
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 4), ModeOkOutcome::Accepted);
    EXPECT_EQ(store.YErrorKind, YKindNone);
    EXPECT_EQ(firstThree(store.YSigma), (Floats{1, 1, 1}));
    EXPECT_TRUE(dialogs.transcript().empty());

    session.XErrorsAllowed = true;
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 4), ModeOkOutcome::StayOpen);
    EXPECT_EQ(dialogs.texts(), QStringList{"This error mode (errors autoscaled to reduced chi-squared = 1) is not "
                                           "allowed when using X errors.  Please make another choice."});
}

TEST_F(ErrorModes, IndividualErrorsAreCopiedWhenEnteredElseTheOldSigmasStay) {
    putPoints();
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 2), ModeOkOutcome::Accepted);
    EXPECT_EQ(dialogs.texts(), QStringList{"You will need to enter your Y Errors on the Data Screen"});
    EXPECT_EQ(firstThree(store.YSigma), (Floats{9, 9, 9}));
    EXPECT_EQ(store.YErrorSub, YSubIndividual);

    putPoints({0.1f, 0.2f, 0.3f}, {1, 2, 3});
    dialogs.clearTranscript();
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 2), ModeOkOutcome::Accepted);
    EXPECT_EQ(dialogs.texts(), QStringList{"Please check your Y Errors on the Data Screen"});
    EXPECT_EQ(firstThree(store.YSigma), (Floats{0.1f, 0.2f, 0.3f}));

    dialogs.clearTranscript();
    EXPECT_EQ(AcceptXMode(session, store, dialogs, 2), ModeOkOutcome::Accepted);
    EXPECT_EQ(dialogs.texts(), QStringList{"Please check your X Errors on the Data Screen"});
    EXPECT_EQ(firstThree(store.XSigma), (Floats{1, 2, 3}));
    EXPECT_EQ(store.XErrorMode, XModeIndividual);
}

TEST_F(ErrorModes, XModesAskAndComputeFromTheXValues) {
    putPoints({}, {});
    session.XErrorsAllowed = true;
    dialogs.type("0").type("10");
    EXPECT_EQ(AcceptXMode(session, store, dialogs, 0), ModeOkOutcome::Accepted);
    EXPECT_EQ(dialogs.texts(), (QStringList{" Please enter X error in percent:",
                                            "Data Entry Error, X error cannot be zero or negative.  Please try again.",
                                            " Please enter X error in percent:"}));
    EXPECT_EQ(store.XErrorValue, 0.1f);
    EXPECT_EQ(firstThree(store.XSigma), (Floats{0.1f, 0.2f, 0.3f}));
    EXPECT_EQ(store.XSigma.size(), 100u);
    EXPECT_TRUE(session.XModeSet && store.XModeByDialog);

    dialogs.clearTranscript();
    EXPECT_EQ(AcceptXMode(session, store, dialogs, 2), ModeOkOutcome::Accepted);
    EXPECT_EQ(dialogs.texts(), QStringList{"You will need to enter your X Errors on the Data Screen"});
    EXPECT_EQ(firstThree(store.XSigma), (Floats{0.1f, 0.2f, 0.3f})); // nothing stored

    dialogs.type("0.5");
    EXPECT_EQ(AcceptXMode(session, store, dialogs, 1), ModeOkOutcome::Accepted);
    EXPECT_EQ(dialogs.transcript().back().title, "Constant Error");
    EXPECT_EQ(firstThree(store.XSigma), (Floats{0.5f, 0.5f, 0.5f}));
}

TEST_F(ErrorModes, WithoutDataOnlyTheModeIsStored) {
    dialogs.type("2");
    EXPECT_EQ(AcceptYMode(session, store, dialogs, 0), ModeOkOutcome::Accepted);
    EXPECT_EQ(store.YErrorValue, 0.02f);
    EXPECT_TRUE(store.YSigma.empty());
    EXPECT_EQ(dialogs.transcript().size(), 1u);
}

TEST(ModeOptionOnOpen, ComesFromTheDialogOrFromTheCodesTheSpreadsheetStored) {
    Session session;
    DataStore store;
    EXPECT_EQ(YModeOptionOnOpen(session, store, 1), NoOptionChosen);
    EXPECT_EQ(XModeOptionOnOpen(session, store, 1), NoOptionChosen);

    session.YModeSet = session.XModeSet = true;
    store.YModeByDialog = store.XModeByDialog = true;
    EXPECT_EQ(YModeOptionOnOpen(session, store, 1), 1);
    EXPECT_EQ(XModeOptionOnOpen(session, store, 0), 0);

    store.YModeByDialog = store.XModeByDialog = false;
    const struct {
        std::int16_t kind, sub, option;
    } yCases[] = {{1, 1, 0}, {1, 2, 1}, {1, 3, 2}, {-1, 0, 3}, {0, 0, 4}};
    for (const auto& c : yCases) {
        store.YErrorKind = c.kind;
        store.YErrorSub = c.sub;
        EXPECT_EQ(YModeOptionOnOpen(session, store, NoOptionChosen), c.option) << c.kind << "/" << c.sub;
    }
    for (std::int16_t mode = XModePercentage; mode <= XModeIndividual; ++mode) {
        store.XErrorMode = mode;
        EXPECT_EQ(XModeOptionOnOpen(session, store, NoOptionChosen), static_cast<std::int16_t>(mode - 1));
    }
}

} // namespace
} // namespace frontend
