#include "fit/report_builder.h"

#include "session/helpers.h"
#include "session/number_format.h"

#include <QLocale>

#include <array>

namespace frontend {

const QString IterationLimitMessage =
    QStringLiteral("Iteration Limit of 100 iterations has been reached") +
    QStringLiteral("without finding a minimum in chi-square space.  It can sometimes take many iterations to find "
                   "a minimum.  To continue iterating with current parameter values, choose menu Run/Go or F5.");

const QString StayedAtEstimatesNote = QStringLiteral(
    "No step away from the estimates lowered chi-square, so the values shown are the estimates.  "
    "Unless they came from an earlier fit, try other estimates.");

namespace {

const QString PlusMinus = QString(QChar(0x00B1)); // character 177 of the Windows Latin-1 page
const QString ChiOpening = QStringLiteral(
    "Ideally, the reduced chi-square value should not be too much larger or smaller than 1.  The reduced "
    "chi-square for this run, ");

// Function n (from 1) of a list of descriptions; empty outside the list.
template <std::size_t N> QString Described(const std::array<const char*, N>& texts, std::int16_t n) {
    return n >= 1 && n <= static_cast<int>(N) ? QString::fromLatin1(texts[static_cast<std::size_t>(n - 1)]) : QString();
}

QString LinearDescription(std::int16_t n) {
    static const std::array<const char*, 11> texts = {
        "Linear: Y = A + BX",
        "Power: Y = AX^B",
        "Exponential: Y = A Exp(BX)",
        "Quadratic: Y = A + BX + CX^2",
        "Complete elliptic integral of first kind: Y = A K(sin x/2)",
        "Special Power: Y = A + BX^2 + CX^4",
        "Natural Log: Y = A + B ln (X)",
        "Inverse X: Y = A + B/X",
        "Inverse Y: 1/Y = A + BX",
        "Inverse X & Y: 1/Y = A + B/X",
        "Special Inverse: Y = A + B/(X^2) + C/(X^4)",
    };
    return Described(texts, n);
}

QString NonLinearDescription(std::int16_t n) {
    static const std::array<const char*, 10> texts = {
        "Linear: Y = A + BX",
        "Power: Y = AX^B",
        "Exponential: Y = A Exp(BX)",
        "Exponential Form #1:  Y = A [exp(BX) - 1]",
        "Exponential Form #2:  Y = A - (A - B) exp(CX)'",
        "Exponential Form #3:  Y = A exp(Bx) + C",
        "Inverse X & Y: 1/Y = A + B/X",
        "Special: Y = A*SQRT( (B*X - C)^2 + D^2)",
        "Real Z: Y = A + B/( 1 + B^2 (CX - 1/DX)^2 )",
        "Imag Z: Y = AX - (CX - 1/DX) / ( 1/B^2 + (CX - 1/DX)^2)",
    };
    return Described(texts, n);
}

QString Percentage(float fraction) { return QStringLiteral("(") + FormatPattern(fraction, "0.0%") + u')'; }

QString YErrorPart(const FitState& s) {
    switch (s.yKind) {
    case YKindNone: return QStringLiteral("No Error entered; constant Y error scaled to reduced chi-squared = 1");
    case YKindSquareRoot: return QStringLiteral("Y error is SQRT(Y)");
    case YKindGiven:
        switch (s.ySub) {
        case YSubPercentage: return QStringLiteral("Y Error is a percentage of Y.  ") + Percentage(s.yValue);
        case YSubConstant: return QStringLiteral("same constant Y error for all Y values");
        case YSubIndividual: return QStringLiteral("separate Y error for each Y value");
        default: return {};
        }
    default: return {};
    }
}

QString XErrorPart(const FitState& s) {
    switch (s.xKind) {
    case XModePercentage: return QStringLiteral("X Error is a percentage of X.  ") + Percentage(s.xValue);
    case XModeConstant: return QStringLiteral("same constant X error for all X values");
    case XModeIndividual: return QStringLiteral("separate X error for each X value");
    default: return {};
    }
}

QString RunModeLine(const FitState& s) {
    if (!s.useXErrors) return QStringLiteral("Fit using only Y Errors.");
    if (s.xErrorMethod.isEmpty()) return QStringLiteral("Fit using both X and Y Errors.");
    return QStringLiteral("Fit using both X and Y Errors, ") + s.xErrorMethod + QStringLiteral(" algorithm.");
}

QString ParameterLabel(const Session& session, int i) {
    if (session.Edition == u"NON" && session.UserFnInUse) return u'a' + QString::number(i) + QStringLiteral(" = ");
    return i <= 5 ? QString(QChar(u'A' + (i - 1))) + QStringLiteral(" = ") : QString();
}

// One pass of the build; true when the summary ran over onto a page of its own.
class ReportWriter {
public:
    ReportWriter(FitState& state, const ReportContext& context, BuiltReport& report)
        : s_(state), c_(context), doc_(report.document), layout_(report.layout) {}

    // Writes the whole report; returns whether the summary started on one page and ended on another.
    bool write(std::int16_t mode, bool repeatPass) {
        if (mode != SummaryReport) {
            writeCommentary();
            writeDataTable(repeatPass);
        }
        layout_.extend(doc_);
        const int pagesBeforeSummary = layout_.pageCount();
        writeSummary();
        layout_.extend(doc_);
        return layout_.pageCount() > pagesBeforeSummary;
    }

private:
    bool linear() const { return IsLinearEdition(c_.session); }
    bool xErrorsUsed() const { return c_.session.XErrorsAllowed && s_.useXErrors; }
    QString chi() const { return FormatFix2OrE2(s_.chiSquare); }
    QString description() const {
        return FunctionDescription(linear(), s_.functionNumber, c_.store.UserFunctionText);
    }
    QString analysisOpening() const {
        return QStringLiteral("On ") + QLocale::system().toString(c_.today, QLocale::LongFormat) +
               QStringLiteral(", an analysis of the experiment ") + c_.session.Experiment +
               QStringLiteral(" conducted by ") + c_.session.Names;
    }

    void writeCommentary() {
        doc_.setFontName(QStringLiteral("arial"));
        doc_.setFontSize(11);
        doc_.setBold(false);
        if (s_.yKind != YKindNone) {
            doc_.addParagraph(analysisOpening() + QStringLiteral(" indicates that the function ") + description() +
                              QStringLiteral(" can fit ") + QStringLiteral("the data with a reduced chi-square of ") +
                              chi() + u'.');
        }
        if (s_.yKind == YKindNone) {
            doc_.addParagraph(
                analysisOpening() + QStringLiteral(" resulted in a fit to the function ") + description() +
                QStringLiteral(".  This fit was done without using error estimates and so there is no calculation "
                               "of a reduced chi-square value, and therefore no statistical measure of goodness of "
                               "fit.  The program scales the error for the data to reduced chi-square = 1, assuming "
                               "that each point has the same constant error.  USE THIS TECHNIQUE WITH GREAT "
                               "CAUTION!!"));
        } else if (s_.chiSquare > 4) {
            doc_.addParagraph(ChiOpening + chi() +
                              QStringLiteral(" is larger than usual.  If the data and error bars were plotted, the "
                                             "fitted curve would lie outside many of the error bars.  Values this "
                                             "large often result either from a poor choice of fitting function, or "
                                             "from underestimating experimental error."));
        } else if (s_.chiSquare < 0.25f) {
            doc_.addParagraph(ChiOpening + chi() +
                              QStringLiteral(" is smaller than usual.  If the data and error bars were plotted, the "
                                             "fitted curve would lie inside almost all the error bars.  Such a "
                                             "result often means that the data were measured more accurately than "
                                             "the error reported here suggests."));
        } else {
            doc_.addParagraph(ChiOpening + chi() +
                              QStringLiteral(" lies reasonably close to 1 and may represent a good fit."));
        }
        if (!c_.session.XErrorsAllowed) {
            doc_.addParagraph(QStringLiteral("X errors are not enabled."));
        } else if (s_.useXErrors) {
            doc_.addParagraph(QStringLiteral("X errors are enabled and were used in this fit."));
        } else {
            doc_.addParagraph(QStringLiteral("X errors are enabled, but were not used in this fit."));
        }
    }

    void writeDataTable(bool repeatPass) {
        const std::size_t n = static_cast<std::size_t>(std::max<std::int16_t>(s_.pointCount, 0));
        s_.residuals.resize(std::max(s_.residuals.size(), n));
        for (std::size_t i = 0; i < n; ++i) s_.residuals[i] = s_.y[i] - s_.yCalc[i];

        QString body;
        doc_.setBold(true);
        if (xErrorsUsed()) {
            doc_.addTable(QStringLiteral("|1400|1500|1650|^1600|^1800;| |Uncertainty|Experimental|Uncertainty|"
                                         "Calculated;"));
            doc_.addTable(
                QStringLiteral("800|1100|^1800|^1300|350|^1500|^1800|1800;|X|in X|Y| |in Y|Y|Yexp - Ycalc;"));
            body = QStringLiteral("1600|>350|1500|1600|>350|1500|1600|1500;| |;");
            for (std::size_t i = 0; i < n; ++i) {
                body += FormatE3(s_.x[i]) + u'|' + PlusMinus + u'|' + FormatE2(s_.xSigma[i]) + u'|' +
                        FormatE3(s_.y[i]) + u'|' + PlusMinus + u'|' + FormatE2(s_.reportedYSigma[i]) + u'|' +
                        FormatE3(s_.yCalc[i]) + u'|' + FormatE2(s_.residuals[i]) + u';';
            }
        } else {
            doc_.addTable(QStringLiteral("720|2000|1600|350|1800|1800|1800;| |Experimental| |Uncertainty|Calculated;"));
            doc_.addTable(QStringLiteral("720|^1800|^1800|350|^1500|^1800|1800;|X|Y| |in Y|Y|Yexp - Ycalc;"));
            body = QStringLiteral("<720|<1800|<1800|<350|<1600|<1700|<1500;| |;");
            for (std::size_t i = 0; i < n; ++i) {
                body += StrStyle(static_cast<long long>(i + 1)) + u'|' + FormatE3(s_.x[i]) + u' ' + u'|' +
                        FormatE3(s_.y[i]) + u' ' + u'|' + PlusMinus + u'|' + FormatE2(s_.reportedYSigma[i]) + u'|' +
                        FormatE3(s_.yCalc[i]) + u'|' + FormatE2(s_.residuals[i]) + u';';
            }
        }
        doc_.setBold(false);
        doc_.setFontName(QStringLiteral("Courier New"));
        doc_.setFontSize(11);
        doc_.addTable(body);
        if (s_.pointCount > 25 || repeatPass) doc_.newPage();
    }

    void writeSummary() {
        doc_.setFontName(QStringLiteral("Arial"));
        doc_.addParagraph(QString());
        doc_.addParagraph(QLocale::system().toString(c_.today, QStringLiteral("MMMM dd, yyyy")));
        doc_.addParagraph(QStringLiteral("ANALYSIS OF DATA FROM EXPERIMENT ") + c_.session.Experiment);
        doc_.addParagraph(QStringLiteral("PERFORMED BY ") + c_.session.Names);
        doc_.addParagraph(QString());
        doc_.addParagraph(QStringLiteral("FITTING FUNCTION IS ") + description());
        doc_.addParagraph(StrStyle(s_.pointCount) + QStringLiteral(" data points") + QStringLiteral("      ") +
                          StrStyle(s_.paramCount - s_.heldCount) + QStringLiteral(" free parameters"));
        doc_.addParagraph(QString());
        QString errorLine = YErrorPart(s_);
        if (xErrorsUsed()) errorLine += QStringLiteral("\t\t") + XErrorPart(s_);
        doc_.addParagraph(errorLine);
        // With X errors allowed a run may use them or not: the summary says which fit this was.
        if (c_.session.XErrorsAllowed) doc_.addParagraph(RunModeLine(s_));
        doc_.addParagraph(QString());

        doc_.setBold(true);
        doc_.addTable(QStringLiteral("1440|>1800|>2520|>2520;Parameter|Least Squares|Least Squares|Your Estimated;"));
        doc_.addTable(QStringLiteral("900|>1800|>2520|>2520; |Value|Error|Value;"));
        doc_.setBold(false);
        doc_.setFontName(QStringLiteral("Courier New"));
        doc_.setFontSize(11);
        QString parameters = QStringLiteral("^1440|2160|^710|2160|2160;  |;");
        const int count = std::clamp<int>(s_.paramCount, 0, ParamSlots);
        for (int i = 1; i <= count; ++i) {
            const std::size_t k = static_cast<std::size_t>(i - 1);
            parameters += ParameterLabel(c_.session, i) + u'|' + FormatParam(s_.params[k]) + QStringLiteral("  ") +
                          u'|' + PlusMinus + u'|' + FormatFixOrE2(s_.paramErrors[k]) + u'|' +
                          FormatParam(s_.initialParams[k]) + QStringLiteral("  ") + u';';
        }
        doc_.addTable(parameters);
        doc_.setFontName(QStringLiteral("Arial"));
        doc_.addParagraph(QString());

        if (s_.yKind != YKindNone) {
            doc_.addParagraph(QStringLiteral("Reduced chi-square = ") + chi());
            if (c_.session.Advanced)
                doc_.addParagraph(QStringLiteral("Probability of exceeding chi-square = ") +
                                  FormatFix2OrE2(s_.probability));
        } else {
            doc_.addParagraph(QStringLiteral("Variance = ") + chi());
        }
        doc_.addParagraph(QString());

        if (!linear()) {
            doc_.addParagraph(QStringLiteral("Number of Iterations = ") + StrStyle(s_.iterations) +
                              QStringLiteral("     flamda = ") + FormatFix2OrE2(s_.lambda));
            doc_.addParagraph(QString());
            if (s_.stayedAtEstimates) {
                doc_.addParagraph(StayedAtEstimatesNote);
                doc_.addParagraph(QString());
            }
        }

        if (s_.yKind == YKindNone) {
            doc_.addParagraph(QStringLiteral(
                "This Fit cannot calculate a reduced chi-squared value because it does not use estimates of "
                "experimental error.  See the note above.  Parameter errors are scaled to reduced chi-squared = 1 "
                "and are therefore of UNCERTAIN reliability!"));
        } else {
            doc_.addParagraph(QStringLiteral("The parameter errors are scaled to reduced chi-squared = 1.  "));
            doc_.addParagraph(QString());
            if (s_.chiSquare < 0.25f || s_.chiSquare > 4)
                doc_.addParagraph(QStringLiteral(
                    "Since the reduced chi-squared value is not close to 1, the PARAMETER ERRORS CANNOT BE TRUSTED"));
        }
    }

    FitState& s_;
    const ReportContext& c_;
    ReportDocument& doc_;
    ReportLayout& layout_;
};

} // namespace

QString FunctionDescription(bool linearEdition, std::int16_t functionNumber, const QString& userFunctionText) {
    if (linearEdition) return LinearDescription(functionNumber);
    if (functionNumber == 11 || functionNumber == 12) {
        qsizetype lineEnd = 0;
        while (lineEnd < userFunctionText.size() && userFunctionText[lineEnd] != u'\r' &&
               userFunctionText[lineEnd] != u'\n')
            ++lineEnd;
        return QStringLiteral("User-Defined: Y = ") + userFunctionText.left(lineEnd) +
               (functionNumber == 11 ? QStringLiteral(" (analytic derivatives)")
                                     : QStringLiteral(" (numeric derivatives)"));
    }
    return NonLinearDescription(functionNumber);
}

BuiltReport BuildFitReport(FitState& state, const ReportContext& context, std::int16_t mode, Dialogs& dialogs) {
    const bool iterationLimit = context.session.Edition == u"NON" && state.iterations > IterationLimit;
    for (bool repeatPass : {false, true}) {
        BuiltReport report{ReportDocument(), ReportLayout(context.page)};
        const bool summaryBroke = ReportWriter(state, context, report).write(mode, repeatPass);
        if (iterationLimit) dialogs.message(IterationLimitMessage);
        if (repeatPass || !summaryBroke) return report;
    }
    Q_UNREACHABLE();
}

} // namespace frontend
