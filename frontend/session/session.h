// The session record and the data store: the only state that survives a change of screen.
//
// Flags are plain bools here (true/false where the screens' documentation says -1/0); counts and
// codes are 16-bit, measured values 32-bit floats. Point arrays are vectors whose element i - 1 holds
// point i, so that element 0 is the "first element" the libraries take.
#ifndef FRONTEND_SESSION_SESSION_H
#define FRONTEND_SESSION_SESSION_H

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

namespace frontend {

// Which program this is; chosen by the main program, never by the code below app/.
enum class Edition { Linear, NonLinear };

inline constexpr std::int16_t MaxPoints = 16000;
inline constexpr std::int16_t ParamSlots = 10;

// Y error mode: YErrorKind with YErrorSub.
inline constexpr std::int16_t YKindNotSet = -2;
inline constexpr std::int16_t YKindSquareRoot = -1;
inline constexpr std::int16_t YKindNone = 0; // errors autoscaled to a reduced chi-square of 1
inline constexpr std::int16_t YKindGiven = 1;
inline constexpr std::int16_t YSubPercentage = 1;
inline constexpr std::int16_t YSubConstant = 2;
inline constexpr std::int16_t YSubIndividual = 3;

// X error mode (XErrorMode).
inline constexpr std::int16_t XModeNotSet = -2;
inline constexpr std::int16_t XModePercentage = 1;
inline constexpr std::int16_t XModeConstant = 2;
inline constexpr std::int16_t XModeIndividual = 3;

struct Session {
    QString Names;
    QString Experiment;
    QString CrLf;
    QString AppPath; // the program's folder, ending in a separator
    QString Edition; // "LIN" or "NON"; empty until the start screen's Continue
    bool YModeSet = false;
    bool XModeSet = false;
    bool EntryFromFile = false;
    bool EntryFromKeyboard = false;
    bool DataInProgram = false;
    bool Advanced = false;
    bool FunctionChosen = false;
    bool DataSaved = false;
    bool YErrorsEntered = false;
    bool XErrorsEntered = false;
    bool FitDone = false;
    bool EstimatesEntered = false;
    bool UserFnCancelled = false;
    bool UserFnInUse = false;
    bool QuitRefused = false;
    bool XErrorsAllowed = false;
    bool GraphYErrors = false;
    bool GraphVisited = false;
    std::int16_t GraphType = 0;
};

struct DataStore {
    std::array<float, ParamSlots> InitialParams{};
    float ReducedChiSquare = 0;
    QString DataName;
    std::int16_t FunctionNumber = 0;
    std::int16_t ParamCount = 0;
    std::int16_t HeldCount = 0;
    std::array<std::int16_t, ParamSlots> VaryFlags{};
    std::array<float, ParamSlots> FitParams{};
    std::array<float, ParamSlots> FitParamErrors{};
    std::int16_t XErrorMode = 0;
    float XErrorValue = 0;
    bool XModeByDialog = false;
    std::int16_t YErrorKind = 0;
    std::int16_t YErrorSub = 0;
    float YErrorValue = 0;
    bool YModeByDialog = false;
    std::int16_t PointCount = 0;
    std::int16_t Capacity = 0;
    std::vector<float> X, Y, YSigma, XSigma, YErrorsRaw, XErrorsRaw;
    std::array<QString, 4> SheetTexts;
    std::array<std::int16_t, 6> SheetChoices{};
    QString UserFunctionText;
    QString GraphTitle, GraphXLabel, GraphYLabel;
    std::array<float, 4> GraphLimits{};
};

// "LIN" or "NON".
QString EditionCode(Edition edition);

// The start-up of the front end, before the start screen shows: every flag false, both error modes
// stored as not set, CrLf and AppPath (programFolder with a separator appended when it lacks one).
void StartUp(Session& session, DataStore& store, const QString& programFolder);

} // namespace frontend

#endif
