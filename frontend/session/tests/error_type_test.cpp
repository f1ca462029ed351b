#include "session/error_type.h"

#include "platform/scripted_services.h"
#include "session/helpers.h"
#include "session/store.h"

#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

class ErrorType : public testing::Test {
protected:
    ErrorType() {
        StartUp(session, store, "/opt/fit");
        dialogs.setProductWord("Tessaly");
        session.YModeSet = session.DataInProgram = session.FunctionChosen = session.FitDone = true;
        store.YErrorKind = YKindNone;
        store.YModeByDialog = true;
        store.Capacity = 200;
        store.XSigma = {0.5f, 0.25f};
    }
    Session session;
    DataStore store;
    ScriptedDialogs dialogs;
};

TEST_F(ErrorType, CancelInTheQuestionKeepsYErrorsOnlyAndTheYMode) {
    dialogs.answer(MessageAnswer::Cancel);
    EXPECT_EQ(AllowXErrors(session, store, dialogs), AllowXErrorsOutcome::Kept);
    ASSERT_EQ(dialogs.transcript().size(), 1u);
    const DialogRecord& asked = dialogs.transcript()[0];
    EXPECT_EQ(asked.title, "Inconsistent error mode settings");
    EXPECT_EQ(asked.icon, MessageIcon::Information);
    EXPECT_EQ(asked.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(asked.text, "The Y Error mode is currently set to 'autoscale to reduced chi-squared = 1'. This Y "
                          "error mode is not allowed when using X errors.  Please click \r\n\r\n  -- OK to allow X "
                          "errors and reset the Y Error mode, or\r\n\r\n  -- Cancel to retain the current (use Y "
                          "Errors only) setting.");
    EXPECT_FALSE(session.XErrorsAllowed);
    EXPECT_TRUE(session.YModeSet);
    EXPECT_EQ(store.YErrorKind, YKindNone);
    EXPECT_FALSE(session.FitDone);
}

TEST_F(ErrorType, OkResetsTheYModeAndTheFitWaitsForNewModes) {
    dialogs.answer(MessageAnswer::Ok);
    EXPECT_EQ(AllowXErrors(session, store, dialogs), AllowXErrorsOutcome::AllowedYModeReset);
    EXPECT_TRUE(session.XErrorsAllowed);
    EXPECT_FALSE(session.YModeSet);
    EXPECT_EQ(store.YErrorKind, YKindNotSet);
    EXPECT_FALSE(store.YModeByDialog);
    ASSERT_EQ(store.XSigma.size(), 200u); // resized to Capacity, keeping what was there
    EXPECT_EQ(store.XSigma[1], 0.25f);
    EXPECT_EQ(store.XSigma[2], 0.0f);
    EXPECT_FALSE(FitReady(session));

    session.YModeSet = true;
    EXPECT_FALSE(FitReady(session)); // an X mode is needed as well
    UseYErrorsOnly(session);
    EXPECT_TRUE(FitReady(session)); // and going back to Y errors only makes the fit ready at once
}

TEST_F(ErrorType, OtherYModesAskNothing) {
    store.YErrorKind = YKindGiven;
    session.DataInProgram = false;
    EXPECT_EQ(AllowXErrors(session, store, dialogs), AllowXErrorsOutcome::Allowed);
    EXPECT_TRUE(dialogs.transcript().empty());
    EXPECT_TRUE(session.XErrorsAllowed && session.YModeSet);
    EXPECT_EQ(store.XSigma.size(), 2u); // no data: nothing resized
}

} // namespace
} // namespace frontend
