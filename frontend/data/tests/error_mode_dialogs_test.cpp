// The Y and X error mode dialogs opened from the home screen.
#include "screen_fixture.h"

#include "data/frm_error_mode.h"

#include <QPushButton>

namespace frontend {
namespace {

using testing_screens::ScreenTest;

const QString NoChoice = "Data Entry Error--You haven't chosen an error type yet.  Please try again.";

class ErrorModeDialogs : public ScreenTest {
protected:
    // Opens the Y dialog and runs `walk` on it; the dialog's result.
    int openYDialog(FrmHome& home, std::function<void(QDialog&)> walk, const char* button) {
        int result = -1;
        scripted.dialogs.onModal([&](QDialog& dialog) {
            walk(dialog);
            result = dialog.result();
            return result;
        });
        click(home, button);
        return result;
    }

    static bool checked(QDialog& dialog, int option) {
        return child<QRadioButton>(dialog, qPrintable(QStringLiteral("optErrorMode_%1").arg(option)))->isChecked();
    }

    // Ten points 1..10 with Y = 2X, as if read from a two-column file.
    void putPoints() {
        Floats x, y, sigma(10, 0.0f);
        for (int i = 1; i <= 10; ++i) x.push_back(float(i)), y.push_back(float(2 * i));
        std::int16_t n = 10, capacity = 100;
        StorePointCount(app->store(), n, IntoStore);
        StoreCapacity(app->store(), capacity, IntoStore);
        StorePoints(app->store(), x, y, sigma, capacity, IntoStore);
        app->session().DataInProgram = true;
    }
};

TEST_F(ErrorModeDialogs, OkWithoutAChoiceKeepsTheDialogOpen) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    const int result = openYDialog(home, [](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Set Mode of Error Analysis for Y Errors");
        for (int option = 0; option < 5; ++option) EXPECT_FALSE(checked(dialog, option));
        click(dialog, "cmdOK");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        click(dialog, "cmdCancel");
    }, "cmdMode");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(texts(), QStringList{NoChoice});
    EXPECT_FALSE(app->session().YModeSet);
}

TEST_F(ErrorModeDialogs, PercentageGivesEachPointItsShareOfY) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    putPoints();
    app->session().FitDone = true;
    chooseYMode(home, "optErrorMode_0", "5");

    const DialogRecord& question = scripted.dialogs.transcript().back();
    EXPECT_EQ(question.text, " Please enter Y error in percent:");
    EXPECT_EQ(question.title, "% Error");
    EXPECT_EQ(app->store().YErrorKind, YKindGiven);
    EXPECT_EQ(app->store().YErrorSub, YSubPercentage);
    EXPECT_FLOAT_EQ(app->store().YErrorValue, 0.05f);
    EXPECT_TRUE(app->session().YModeSet);
    EXPECT_FALSE(app->session().FitDone);
    EXPECT_FLOAT_EQ(app->store().YSigma[0], 0.1f);
    EXPECT_FLOAT_EQ(app->store().YSigma[9], 1.0f);
    EXPECT_EQ(text(home, "lblErrorMode"), "5.00%Error") << "no blank before Error";

    chooseYMode(home, "optErrorMode_1", "0.25");
    EXPECT_EQ(text(home, "lblErrorMode"), "2.50E-01Error");
    EXPECT_FLOAT_EQ(app->store().YSigma[4], 0.25f);
}

struct RefusedValue {
    const char* name;
    const char* typed;
    const char* message;
};

class RefusedValues : public ErrorModeDialogs, public testing::WithParamInterface<RefusedValue> {};

TEST_P(RefusedValues, AreAskedForAgainAndCancellingUnselectsTheOption) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    const int result = openYDialog(home, [this](QDialog& dialog) {
        scripted.dialogs.type(GetParam().typed).cancelInput();
        click(dialog, "optErrorMode_0");
        click(dialog, "cmdOK");
        EXPECT_FALSE(checked(dialog, 0));
        click(dialog, "cmdOK");
        click(dialog, "cmdCancel");
    }, "cmdMode");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(texts(), (QStringList{" Please enter Y error in percent:", GetParam().message,
                                    " Please enter Y error in percent:", NoChoice}));
    EXPECT_FALSE(app->session().YModeSet);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedValues,
    testing::Values(RefusedValue{"Zero", "0", "Data Entry Error, Y error cannot be zero or negative.  Please try again."},
                    RefusedValue{"Negative", "-3", "Data Entry Error, Y error cannot be zero or negative.  Please try again."},
                    RefusedValue{"NotANumber", "five", "Data Entry Error, Please try again"}),
    [](const testing::TestParamInfo<RefusedValue>& row) { return row.param.name; });

TEST_F(ErrorModeDialogs, StandardStyleShowsOnlyTheFirstThreeOptions) {
    FrmHome& home = startAtHome(Edition::Linear);
    ASSERT_FALSE(app->session().Advanced);
    openYDialog(home, [](QDialog& dialog) {
        EXPECT_TRUE(child<QRadioButton>(dialog, "optErrorMode_2")->isVisibleTo(&dialog));
        EXPECT_FALSE(child<QRadioButton>(dialog, "optErrorMode_3")->isVisibleTo(&dialog));
        EXPECT_FALSE(child<QRadioButton>(dialog, "optErrorMode_4")->isVisibleTo(&dialog));
        click(dialog, "cmdCancel");
    }, "cmdMode");
}

TEST_F(ErrorModeDialogs, NoneIsRefusedWithXErrors) {
    FrmHome& home = startAtHome(Edition::Linear);
    trigger(home, "mnuAdvanced");
    trigger(home, "mnuXYFit");
    openYDialog(home, [](QDialog& dialog) {
        click(dialog, "optErrorMode_4");
        click(dialog, "cmdOK");
        EXPECT_TRUE(dialog.isVisible() || dialog.result() == QDialog::Rejected);
        click(dialog, "cmdCancel");
    }, "cmdMode");
    EXPECT_EQ(texts(), QStringList{"This error mode (errors autoscaled to reduced chi-squared = 1) is not allowed when "
                                   "using X errors.  Please make another choice."});
    EXPECT_FALSE(app->session().YModeSet);
}

TEST_F(ErrorModeDialogs, TheDialogRemembersTheLastChoiceAndCancelRestoresIt) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    putPoints();
    chooseYMode(home, "optErrorMode_2");
    EXPECT_EQ(lastText(), "You will need to enter your Y Errors on the Data Screen");
    EXPECT_EQ(text(home, "lblErrorMode"), "Separate error\r\nfor each point");

    openYDialog(home, [](QDialog& dialog) {
        EXPECT_TRUE(checked(dialog, 2));
        click(dialog, "optErrorMode_1");
        click(dialog, "cmdCancel");
    }, "cmdMode");
    EXPECT_EQ(app->store().YErrorSub, YSubIndividual);
    openYDialog(home, [](QDialog& dialog) {
        EXPECT_TRUE(checked(dialog, 2));
        click(dialog, "cmdCancel");
    }, "cmdMode");
}

TEST_F(ErrorModeDialogs, AModeSetElsewhereSelectsItsOption) {
    FrmHome& home = startAtHome(Edition::NonLinear);
    std::int16_t kind = YKindGiven, sub = YSubIndividual;
    float value = 0;
    bool byDialog = false;
    StoreYMode(app->store(), kind, sub, value, IntoStore, byDialog);
    app->session().YModeSet = true;
    openYDialog(home, [](QDialog& dialog) {
        EXPECT_TRUE(checked(dialog, 2));
        click(dialog, "cmdCancel");
    }, "cmdMode");
}

TEST_F(ErrorModeDialogs, XErrorModeFillsTheXSigmas) {
    FrmHome& home = startAtHome(Edition::Linear);
    putPoints();
    trigger(home, "mnuXYFit");
    scripted.dialogs.onModal([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Set Mode of Error Analysis for X Errors");
        EXPECT_EQ(child<QPushButton>(dialog, "cmdOK")->text(), "&OK");
        click(dialog, "optErrorMode_0");
        click(dialog, "cmdOK");
        return dialog.result();
    });
    scripted.dialogs.type("10");
    click(home, "cmdXMode");
    EXPECT_EQ(scripted.dialogs.transcript().back().text, " Please enter X error in percent:");
    EXPECT_TRUE(app->session().XModeSet);
    EXPECT_EQ(app->store().XErrorMode, XModePercentage);
    ASSERT_GE(app->store().XSigma.size(), 10u);
    EXPECT_FLOAT_EQ(app->store().XSigma[9], 1.0f);
    EXPECT_EQ(text(home, "lblXErrorMode"), "10.00%Error");
}

} // namespace
} // namespace frontend
