#include "fit/fit_driver.h"

#include <cfenv>
#include <cmath>
#include <new>

namespace frontend {
namespace {

constexpr std::int16_t ParamDimension = ParamSlots;
constexpr int OverflowError = 6;
constexpr int OutOfMemoryError = 7;
constexpr int DivisionByZeroError = 11;

const QString FloatingPointNote =
    QStringLiteral("Floating Point Errors are often caused by inaccurate estimates of function parameters.  "
                   "Reasonably accurate estimates are important for non-linear fits.");

QString MissingErrorsText(const char* axis) {
    const QString a = QString::fromLatin1(axis);
    return QStringLiteral("The ") + a + QStringLiteral(" error mode is set for separate ") + a +
           QStringLiteral(" errors for each data point, but those errors have not yet been entered.  Please either "
                          "enter them on the data screen, or enter them in the spreadsheet and transfer them to the "
                          "data screen.");
}

// A number joined into a message: up to seven significant digits, one leading blank when not negative.
QString MessageNumber(float value) {
    const QString digits = QString::number(static_cast<double>(value), 'g', 7);
    return value < 0 ? digits : u' ' + digits;
}

bool AllFinite(const float* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (!std::isfinite(values[i])) return false;
    return true;
}

} // namespace

FitDriver::FitDriver(Session& session, DataStore& store, Dialogs& dialogs, FitEngines& engines)
    : session_(session), store_(store), dialogs_(dialogs), engines_(engines), page_(PageForLocale()),
      today_([] { return QDate::currentDate(); }), report_{ReportDocument(), ReportLayout(page_)} {}

void FitDriver::clearReport() { report_ = BuiltReport{ReportDocument(), ReportLayout(page_)}; }

Activation FitDriver::activate() {
    FitState& s = state_;
    StoreCapacity(store_, s.capacity, OutOfStore);
    StorePoints(store_, s.x, s.y, s.ySigma, s.capacity, OutOfStore);
    const std::size_t length = static_cast<std::size_t>(std::max<std::int16_t>(s.capacity, 0));
    s.reportedYSigma.assign(length, 0.0f);
    s.yCalc.assign(length, 0.0f);
    s.residuals.assign(length, 0.0f);
    bool byDialog = false;
    StoreYMode(store_, s.yKind, s.ySub, s.yValue, OutOfStore, byDialog);
    StorePointCount(store_, s.pointCount, OutOfStore);
    StoreFunction(store_, s.functionNumber, s.paramCount, s.heldCount, s.varyFlags, OutOfStore);
    StoreInitialParams(store_, s.initialParams, OutOfStore);
    if (session_.XErrorsAllowed) {
        StoreXMode(store_, s.xKind, s.xValue, OutOfStore, byDialog);
        StoreXSigma(store_, s.xSigma, s.capacity, OutOfStore);
    }
    // The data arrays hold at least every point, whatever the store's capacity says.
    const std::size_t points = static_cast<std::size_t>(std::max<std::int16_t>(s.pointCount, 0));
    for (Floats* a : {&s.x, &s.y, &s.ySigma, &s.reportedYSigma, &s.yCalc, &s.residuals})
        if (a->size() < points) a->resize(points, 0.0f);

    if (session_.XErrorsAllowed && (s.functionNumber < 1 || s.functionNumber > 4)) {
        dialogs_.message(QStringLiteral("Tessaly cannot do fits using X Errors with this function.  Please choose a "
                                        "different fitting function."));
        return {true, true, false};
    }
    if (s.yKind == YKindGiven && s.ySub == YSubIndividual && !session_.YErrorsEntered) {
        dialogs_.message(MissingErrorsText("Y"), MessageButtons::Ok, MessageIcon::Critical,
                         QStringLiteral("Y errors not in program"));
        return {true, true};
    }
    if (session_.XErrorsAllowed && s.xKind == XModeIndividual && !session_.XErrorsEntered) {
        dialogs_.message(MissingErrorsText("X"), MessageButtons::Ok, MessageIcon::Critical,
                         QStringLiteral("X errors not in program"));
        return {true, true};
    }

    s.fullReport = s.pointCount <= 100;

    Activation result;
    std::int16_t flagX = 0, flagY = 0, flagSigma = 0;
    engines_.trapzero(s.x.data(), s.y.data(), s.ySigma.data(), &s.functionNumber, &s.pointCount, &s.capacity,
                      &flagX, &flagY, &flagSigma);
    if (flagSigma == 1) {
        const QString refusal = QStringLiteral(
            "At least one Yerror value is set to zero.  The program divides by these values in order to find the "
            "reduced chi-squared  value--hence YError values of zero are not allowed.  Please check your data and "
            "YError values and try again.");
        dialogs_.message(refusal + firstZeroYErrorPoint());
        result.sendHome = true;
    }
    if (linear() && flagY == 1) {
        const std::int16_t f = s.functionNumber;
        if (f == 2 || f == 3)
            dialogs_.message(QStringLiteral(
                "At least one Y value is <= 0.  The program takes logarithms of these values for this fitting "
                "function, and so negative or zero values are not permitted.  Please check your data and try "
                "again."));
        else if (f == 9 || f == 10)
            dialogs_.message(QStringLiteral(
                "At least one Y value is zero.  Zero Y values are not allowed for inverse Y fitting functions, since "
                "they would force the program to divide by zero.  Please check your data and try again."));
        result.sendHome = true;
    }
    if (linear() && flagX == 1) {
        const std::int16_t f = s.functionNumber;
        if (f == 2)
            dialogs_.message(QStringLiteral(
                "At least one X value is <= 0.  The program takes logarithms of these values for this fitting "
                "function, and so negative or zero values are not permitted.  Please check your data and try "
                "again."));
        else if (f == 8 || f == 10 || f == 11)
            dialogs_.message(QStringLiteral(
                "At least one X value is zero.  Zero X values are not allowed for inverse X fitting functions, since "
                "they would force the program to divide by zero.  Please check  your data and try again."));
        result.sendHome = true;
    }
    s.attempts = 1;
    return result;
}

QString FitDriver::firstZeroYErrorPoint() {
    FitState& s = state_;
    const std::int16_t one = 1;
    for (std::int16_t i = 0; i < s.pointCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        std::int16_t flagX = 0, flagY = 0, flagSigma = 0;
        engines_.trapzero(&s.x[k], &s.y[k], &s.ySigma[k], &s.functionNumber, &one, &one, &flagX, &flagY,
                          &flagSigma);
        if (flagSigma == 1)
            return session_.CrLf + session_.CrLf + QStringLiteral("The first such point is point") +
                   StrStyle(i + 1) + QStringLiteral(": X =") + MessageNumber(s.x[k]) + QStringLiteral(", Y =") +
                   MessageNumber(s.y[k]) + u'.';
    }
    return {};
}

void FitDriver::setStartingValues() {
    FitState& s = state_;
    if (!linear() && s.attempts < 2) s.params = s.initialParams;
    for (std::size_t i = 0; i < ParamSlots; ++i)
        if (s.varyFlags[i] == 0) s.params[i] = s.initialParams[i];
}

void FitDriver::callEngine() {
    FitState& s = state_;
    const std::int16_t np = ParamDimension;
    s.xErrorMethod.clear();
    if (!linear()) {
        lastEngine_ = "lsnonw";
        // lsnonw may rewrite its parameter count; the screen's own count stays as the function has it.
        std::int16_t paramCount = s.paramCount;
        engines_.lsnonw(s.x.data(), s.y.data(), s.ySigma.data(), &s.pointCount, &s.yKind, &paramCount, &s.heldCount,
                        s.params.data(), s.paramErrors.data(), s.varyFlags.data(), &s.functionNumber, &s.chiSquare,
                        &s.probability, &s.lambda, &s.iterations, s.yCalc.data(), &s.capacity, &np);
        return;
    }
    if (session_.XErrorsAllowed && s.useXErrors) {
        s.xSigmaLength = s.capacity;
        StoreXSigma(store_, s.xSigma, s.capacity, OutOfStore);
        if (s.xSigma.size() < s.x.size()) s.xSigma.resize(s.x.size(), 0.0f);
        if (s.functionNumber == 4) {
            if (s.quadraticAlgorithm == LybanonAlgorithm) {
                lastEngine_ = "lybanon";
                s.xErrorMethod = QStringLiteral("Lybanon");
                engines_.lybanon(s.x.data(), s.y.data(), s.xSigma.data(), s.ySigma.data(), &s.pointCount, &s.yKind,
                                 &s.paramCount, &s.heldCount, &s.functionNumber, s.varyFlags.data(), &s.capacity, &np,
                                 s.yCalc.data(), s.params.data(), s.paramErrors.data(), &s.chiSquare,
                                 &s.probability);
            } else {
                lastEngine_ = "joliette";
                s.xErrorMethod = QStringLiteral("Joliette");
                engines_.joliette(s.x.data(), s.y.data(), s.xSigma.data(), s.ySigma.data(), &s.pointCount,
                                  &s.paramCount, s.params.data(), s.paramErrors.data(), &s.functionNumber,
                                  &s.chiSquare, &s.probability, s.yCalc.data(), &s.capacity, &np);
            }
            return;
        }
    } else {
        s.xSigma.assign(2, 0.0f);
        s.xSigmaLength = 2;
    }
    lastEngine_ = "lslinw";
    engines_.lslinw(s.x.data(), s.y.data(), s.ySigma.data(), &s.pointCount, &s.yKind, &s.paramCount, &s.heldCount,
                    s.params.data(), s.paramErrors.data(), s.varyFlags.data(), &s.functionNumber, &s.chiSquare,
                    &s.probability, s.yCalc.data(), &s.capacity, &np, s.xSigma.data(), &s.xSigmaLength);
}

std::optional<int> FitDriver::nonFiniteErrorNumber(bool divisionByZero) const {
    const FitState& s = state_;
    const std::size_t parameters = static_cast<std::size_t>(std::clamp<std::int16_t>(s.paramCount, 0, ParamSlots));
    const std::size_t points = static_cast<std::size_t>(std::max<std::int16_t>(s.pointCount, 0));
    if (std::isfinite(s.chiSquare) && AllFinite(s.params.data(), parameters) &&
        AllFinite(s.paramErrors.data(), parameters) && AllFinite(s.yCalc.data(), points))
        return std::nullopt;
    return divisionByZero ? DivisionByZeroError : OverflowError;
}

void FitDriver::showRunError(int number, const QString& description) {
    const QString& crlf = session_.CrLf;
    if (!linear() && (number == OverflowError || number == DivisionByZeroError)) {
        dialogs_.message(QStringLiteral("Error %1 -- %2   ").arg(number).arg(description) + crlf + FloatingPointNote);
        return;
    }
    dialogs_.message((linear() ? QString() : FloatingPointNote) + QStringLiteral("Unanticipated Error:") +
                     QStringLiteral(" Please report to Physics Department") + crlf + crlf +
                     QStringLiteral("Error number is ") + StrStyle(number) + crlf +
                     QStringLiteral("Error description is ") + description + crlf + QStringLiteral("Error source is ") +
                     QString::fromLatin1(lastEngine_) + crlf);
}

bool FitDriver::run() {
    FitState& s = state_;
    const FitState before = s;
    setStartingValues();
    try {
        std::feclearexcept(FE_ALL_EXCEPT);
        callEngine();
        const bool divisionByZero = std::fetestexcept(FE_DIVBYZERO) != 0;
        if (s.chiSquare < 0) {
            // The value and the engine's reason in one box, so that the reason is read with it.
            QString text = QStringLiteral("chisq:  ") + MessageNumber(s.chiSquare);
            if (!linear()) text += session_.CrLf + engines_.lastEngineMessage();
            dialogs_.message(text);
            s = before;
            return false;
        }
        if (const std::optional<int> error = nonFiniteErrorNumber(divisionByZero)) {
            showRunError(*error, *error == DivisionByZeroError ? QStringLiteral("Division by zero")
                                                               : QStringLiteral("Overflow"));
            s = before;
            return false;
        }
    } catch (const std::bad_alloc&) {
        showRunError(OutOfMemoryError, QStringLiteral("Out of memory"));
        s = before;
        return false;
    }

    s.stayedAtEstimates = !linear() && engines_.lastFitSteps() == 0;
    const std::size_t points = static_cast<std::size_t>(std::max<std::int16_t>(s.pointCount, 0));
    const float scale = s.yKind == YKindNone ? std::sqrt(s.chiSquare) : 1.0f;
    for (std::size_t i = 0; i < points; ++i)
        s.reportedYSigma[i] = s.yKind == YKindNone ? s.ySigma[i] * scale : s.ySigma[i];
    StoreReducedChiSquare(store_, s.chiSquare, IntoStore);
    StoreFitResults(store_, s.params, s.paramErrors, IntoStore);

    report_ = BuildFitReport(s, {session_, store_, page_, today_()}, reportMode(), dialogs_);
    session_.FitDone = true;
    if (s.iterations > IterationLimit) ++s.attempts;
    return true;
}

} // namespace frontend
