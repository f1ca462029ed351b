#include "session/helpers.h"
#include "session/utilcore_calls.h"

#include <gtest/gtest.h>
#include <qstring_printer.h>

namespace frontend {
namespace {

TEST(FitReady, NeedsDataModeAndFunctionAndWithXErrorsAnXMode) {
    struct Case {
        bool data, yMode, function, xAllowed, xMode, ready;
    };
    const Case cases[] = {
        {true, true, true, false, false, true},  {false, true, true, false, false, false},
        {true, false, true, false, false, false}, {true, true, false, false, false, false},
        {true, true, true, true, false, false},   {true, true, true, true, true, true},
        {true, false, true, true, true, false},
    };
    for (const Case& c : cases) {
        Session s;
        s.DataInProgram = c.data;
        s.YModeSet = c.yMode;
        s.FunctionChosen = c.function;
        s.XErrorsAllowed = c.xAllowed;
        s.XModeSet = c.xMode;
        EXPECT_EQ(FitReady(s), c.ready) << c.data << c.yMode << c.function << c.xAllowed << c.xMode;
    }
}

TEST(Helpers, EditionWordMaxOfAndStrStyle) {
    EXPECT_EQ(EditionWord("LIN"), "Tessaly");
    EXPECT_EQ(EditionWord("NON"), "Quorvex");
    EXPECT_EQ(EditionWord(""), "");
    EXPECT_EQ(EditionWord(Edition::NonLinear), "Quorvex");
    EXPECT_EQ(MaxOf(3, 7), 7);
    EXPECT_EQ(MaxOf(-1, -5), -1);
    EXPECT_EQ(StrStyle(16000), " 16000");
    EXPECT_EQ(StrStyle(0), " 0");
    EXPECT_EQ(StrStyle(-3), "-3");
}

TEST(StartUp, ClearsTheSessionAndStoresBothErrorModesAsNotSet) {
    Session session;
    session.DataInProgram = session.XErrorsAllowed = session.Advanced = true;
    session.Names = "A. Student";
    DataStore store;
    store.YErrorKind = 1;
    store.YErrorSub = 3;
    store.YModeByDialog = true;
    store.XErrorMode = 2;
    store.XErrorValue = 0.5f;

    StartUp(session, store, "  /opt/fit  ");
    EXPECT_FALSE(session.DataInProgram || session.XErrorsAllowed || session.Advanced);
    EXPECT_TRUE(session.Names.isEmpty());
    EXPECT_EQ(session.CrLf, "\r\n");
    EXPECT_EQ(session.AppPath, "/opt/fit/");
    EXPECT_EQ(store.YErrorKind, YKindNotSet);
    EXPECT_EQ(store.YErrorSub, 0);
    EXPECT_FALSE(store.YModeByDialog);
    EXPECT_EQ(store.XErrorMode, XModeNotSet);
    EXPECT_EQ(store.XErrorValue, 0.0f);

    StartUp(session, store, "/opt/fit/");
    EXPECT_EQ(session.AppPath, "/opt/fit/");
}

TEST(ModeLabels, FollowTheStoredModes) {
    Session session;
    session.CrLf = "\r\n";
    DataStore store;
    store.YErrorKind = YKindNotSet;
    EXPECT_EQ(YModeLabel(session, store), std::nullopt);
    const struct {
        std::int16_t kind, sub;
        float value;
        const char* label;
    } yCases[] = {
        {1, 1, 0.05f, "5.00%Error"}, // no blank before "Error"
        {1, 2, 0.25f, "2.50E-01Error"},
        {1, 3, 0, "Separate error\r\nfor each point"},
        {-1, 0, 0, "Error = SQRT(y)"},
    };
    for (const auto& c : yCases) {
        store.YErrorKind = c.kind;
        store.YErrorSub = c.sub;
        store.YErrorValue = c.value;
        EXPECT_EQ(YModeLabel(session, store), QString(c.label));
    }
    store.YErrorKind = YKindNone;
    EXPECT_EQ(YModeLabel(session, store), std::nullopt);
    session.YModeSet = true;
    EXPECT_EQ(YModeLabel(session, store), QString("no error entered; program scales to chisq = 1"));

    EXPECT_EQ(XModeLabel(session, store), "X Errors not enabled");
    session.XErrorsAllowed = true;
    EXPECT_EQ(XModeLabel(session, store), "X Error Type not set");
    session.XModeSet = true;
    store.XErrorMode = XModePercentage;
    store.XErrorValue = 0.1f;
    EXPECT_EQ(XModeLabel(session, store), "10.00%Error");
    store.XErrorMode = XModeConstant;
    EXPECT_EQ(XModeLabel(session, store), "1.00E-01 Error"); // the X label has the blank
    store.XErrorMode = XModeIndividual;
    EXPECT_EQ(XModeLabel(session, store), "Separate error\r\nfor each point");
}

TEST(UtilcoreCalls, FieldsThatAreBlankOrTooLongAreNoNumbersAndSigStaysInsideItsArrays) {
    EXPECT_EQ(TrapReal(" 2.5 "), 2.5f);
    EXPECT_EQ(TrapReal("   "), std::nullopt);
    EXPECT_EQ(TrapReal(QString(49, ' ') + "7"), 7.0f);
    EXPECT_EQ(TrapReal(QString(50, ' ') + "7"), std::nullopt);
    EXPECT_EQ(TrapInt("12"), std::int16_t(12));
    EXPECT_EQ(TrapInt("1.5"), std::nullopt);

    std::vector<float> y{10, 20}, sigma;
    EXPECT_FALSE(Sig(100, 0.1f, YKindGiven, YSubPercentage, y, sigma)); // n larger than the data
    EXPECT_EQ(sigma, (std::vector<float>{1.0f, 2.0f}));
    EXPECT_EQ(Data2Str(1.5f, 2.0f, 0.0f, 0.0f, 0), "1.5 2");
}

} // namespace
} // namespace frontend
