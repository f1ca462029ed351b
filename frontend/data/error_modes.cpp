#include "data/error_modes.h"

#include "session/store.h"
#include "session/utilcore_calls.h"

#include <algorithm>

namespace frontend {
namespace {

const QString NoChoiceMessage =
    QStringLiteral("Data Entry Error--You haven't chosen an error type yet.  Please try again.");

struct ValueQuestion {
    QString prompt;
    QString title;
    QString nonPositiveMessage;
    bool percentage;
};

// Asks until the answer is a positive number; nothing when it is left empty or cancelled. A
// percentage comes back as a fraction.
std::optional<float> AskPositiveValue(Dialogs& dialogs, const ValueQuestion& question) {
    for (;;) {
        const std::optional<QString> answer = dialogs.input(question.prompt, question.title);
        const QString text = answer.value_or(QString()).trimmed();
        if (text.isEmpty()) return std::nullopt;
        const std::optional<float> value = TrapReal(text);
        if (!value) {
            dialogs.message(QStringLiteral("Data Entry Error, Please try again"));
        } else if (!(*value > 0.0f)) {
            dialogs.message(question.nonPositiveMessage);
        } else {
            return question.percentage ? static_cast<float>(static_cast<double>(*value) / 100.0) : *value;
        }
    }
}

ValueQuestion Question(const char* axis, bool percentage) {
    const QString a = QString::fromLatin1(axis);
    return {percentage ? QStringLiteral(" Please enter ") + a + QStringLiteral(" error in percent:")
                       : QStringLiteral(" Please enter constant ") + a + QStringLiteral(" error:"),
            percentage ? QStringLiteral("% Error") : QStringLiteral("Constant Error"),
            QStringLiteral("Data Entry Error, ") + a +
                QStringLiteral(" error cannot be zero or negative.  Please try again."),
            percentage};
}

} // namespace

std::int16_t YModeOptionOnOpen(const Session& session, const DataStore& store, std::int16_t remembered) {
    if (!session.YModeSet) return NoOptionChosen;
    if (store.YModeByDialog) return remembered;
    switch (store.YErrorKind) {
    case YKindGiven: return static_cast<std::int16_t>(store.YErrorSub - 1);
    case YKindSquareRoot: return 3;
    case YKindNone: return 4;
    default: return NoOptionChosen;
    }
}

std::int16_t XModeOptionOnOpen(const Session& session, const DataStore& store, std::int16_t remembered) {
    if (!session.XModeSet) return NoOptionChosen;
    if (store.XModeByDialog) return remembered;
    return store.XErrorMode >= XModePercentage && store.XErrorMode <= XModeIndividual
               ? static_cast<std::int16_t>(store.XErrorMode - 1)
               : NoOptionChosen;
}

ModeOkOutcome AcceptYMode(Session& session, DataStore& store, Dialogs& dialogs, std::int16_t option) {
    std::int16_t kind = 0, sub = 0;
    float value = 0;
    switch (option) {
    case 0:
    case 1: {
        const std::optional<float> asked = AskPositiveValue(dialogs, Question("Y", option == 0));
        if (!asked) return ModeOkOutcome::Unselected;
        kind = YKindGiven;
        sub = option == 0 ? YSubPercentage : YSubConstant;
        value = *asked;
        break;
    }
    case 2:
        kind = YKindGiven;
        sub = YSubIndividual;
        break;
    case 3: kind = YKindSquareRoot; break;
    case 4:
        if (session.XErrorsAllowed) {
            dialogs.message(QStringLiteral("This error mode (errors autoscaled to reduced chi-squared = 1) ") +
                            QStringLiteral("is not allowed when using X errors.  Please make ") +
                            QStringLiteral("another choice."));
            return ModeOkOutcome::StayOpen;
        }
        kind = YKindNone;
        break;
    default: dialogs.message(NoChoiceMessage); return ModeOkOutcome::StayOpen;
    }

    bool byDialog = true;
    StoreYMode(store, kind, sub, value, IntoStore, byDialog);
    session.YModeSet = true;

    if (session.DataInProgram) {
        std::int16_t n = 0, capacity = 0;
        StorePointCount(store, n, OutOfStore);
        StoreCapacity(store, capacity, OutOfStore);
        Floats x, y, ySigma;
        StorePoints(store, x, y, ySigma, capacity, OutOfStore);
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(n, 0)), ySigma.size());
        if (sub == YSubIndividual && kind == YKindGiven) {
            if (session.YErrorsEntered) {
                Floats raw;
                StoreYErrorsRaw(store, raw, capacity, OutOfStore);
                std::copy_n(raw.begin(), count, ySigma.begin());
                StorePoints(store, x, y, ySigma, capacity, IntoStore);
                dialogs.message(QStringLiteral("Please check your Y Errors on the Data Screen"));
            } else {
                dialogs.message(QStringLiteral("You will need to enter your Y Errors on the Data Screen"));
            }
        } else {
            Sig(n, value, kind, sub, y, ySigma);
            StorePoints(store, x, y, ySigma, capacity, IntoStore);
        }
    }
    session.FitDone = false;
    return ModeOkOutcome::Accepted;
}

ModeOkOutcome AcceptXMode(Session& session, DataStore& store, Dialogs& dialogs, std::int16_t option) {
    std::int16_t mode = 0;
    float value = 0;
    switch (option) {
    case 0:
    case 1: {
        const std::optional<float> asked = AskPositiveValue(dialogs, Question("X", option == 0));
        if (!asked) return ModeOkOutcome::Unselected;
        mode = option == 0 ? XModePercentage : XModeConstant;
        value = *asked;
        break;
    }
    case 2: mode = XModeIndividual; break;
    default: dialogs.message(NoChoiceMessage); return ModeOkOutcome::StayOpen;
    }

    bool byDialog = true;
    StoreXMode(store, mode, value, IntoStore, byDialog);
    session.XModeSet = true;

    if (session.DataInProgram) {
        std::int16_t n = 0, capacity = 0;
        StorePointCount(store, n, OutOfStore);
        StoreCapacity(store, capacity, OutOfStore);
        Floats xSigma(static_cast<std::size_t>(std::max<int>(capacity, 0)), 0.0f);
        Floats x, y, ySigma;
        StorePoints(store, x, y, ySigma, capacity, OutOfStore);
        const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(n, 0)), xSigma.size());
        if (mode == XModeIndividual) {
            if (session.XErrorsEntered) {
                Floats raw;
                StoreXErrorsRaw(store, raw, capacity, OutOfStore);
                std::copy_n(raw.begin(), count, xSigma.begin());
                StoreXSigma(store, xSigma, capacity, IntoStore);
                dialogs.message(QStringLiteral("Please check your X Errors on the Data Screen"));
            } else {
                dialogs.message(QStringLiteral("You will need to enter your X Errors on the Data Screen"));
            }
        } else {
            Sig(n, value, YKindGiven, mode, x, xSigma);
            StoreXSigma(store, xSigma, capacity, IntoStore);
        }
    }
    session.FitDone = false;
    return ModeOkOutcome::Accepted;
}

} // namespace frontend
