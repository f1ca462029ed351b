#include "session/store.h"

#include <algorithm>

namespace frontend {
namespace {

template <typename T> void Copy(T& caller, T& stored, std::int16_t direction) {
    if (direction == IntoStore) stored = caller;
    else if (direction == OutOfStore) caller = stored;
}

// `to` becomes `length` elements: the first ones from `from`, zeros where `from` ends early.
void Transfer(const Floats& from, Floats& to, std::int16_t length) {
    Floats result(static_cast<std::size_t>(length), 0.0f);
    std::copy_n(from.begin(), std::min(from.size(), result.size()), result.begin());
    to = std::move(result);
}

// One array item of an operation; the caller's and the store's array of it.
struct ArrayItem {
    Floats& caller;
    Floats& stored;
};

void MoveArrays(std::initializer_list<ArrayItem> items, std::int16_t length, std::int16_t direction) {
    if (length <= 0) {
        for (const ArrayItem& item : items) item.stored.clear();
        return;
    }
    for (const ArrayItem& item : items) {
        if (direction == IntoStore) Transfer(item.caller, item.stored, length);
        else if (direction == OutOfStore) Transfer(item.stored, item.caller, length);
    }
}

} // namespace

void StoreInitialParams(DataStore& store, Params& params, std::int16_t direction) {
    Copy(params, store.InitialParams, direction);
}

void StoreReducedChiSquare(DataStore& store, float& value, std::int16_t direction) {
    Copy(value, store.ReducedChiSquare, direction);
}

void StoreDataName(DataStore& store, QString& text, std::int16_t direction) { Copy(text, store.DataName, direction); }

void StoreFunction(DataStore& store, std::int16_t& number, std::int16_t& paramCount, std::int16_t& heldCount,
                   VaryFlagArray& varyFlags, std::int16_t direction) {
    Copy(number, store.FunctionNumber, direction);
    Copy(paramCount, store.ParamCount, direction);
    Copy(heldCount, store.HeldCount, direction);
    Copy(varyFlags, store.VaryFlags, direction);
}

void StoreFitResults(DataStore& store, Params& params, Params& errors, std::int16_t direction) {
    Copy(params, store.FitParams, direction);
    Copy(errors, store.FitParamErrors, direction);
}

void StoreXMode(DataStore& store, std::int16_t& mode, float& value, std::int16_t direction, bool& byDialog) {
    Copy(mode, store.XErrorMode, direction);
    Copy(value, store.XErrorValue, direction);
    Copy(byDialog, store.XModeByDialog, direction);
}

void StoreYMode(DataStore& store, std::int16_t& kind, std::int16_t& sub, float& value, std::int16_t direction,
                bool& byDialog) {
    Copy(kind, store.YErrorKind, direction);
    Copy(sub, store.YErrorSub, direction);
    Copy(value, store.YErrorValue, direction);
    Copy(byDialog, store.YModeByDialog, direction);
}

void StorePointCount(DataStore& store, std::int16_t& count, std::int16_t direction) {
    Copy(count, store.PointCount, direction);
}

void StoreXSigma(DataStore& store, Floats& xSigma, std::int16_t length, std::int16_t direction) {
    if (length > 0 && direction < 0) {
        store.XSigma.resize(static_cast<std::size_t>(length), 0.0f);
        return;
    }
    MoveArrays({{xSigma, store.XSigma}}, length, direction);
}

void StoreXErrorsRaw(DataStore& store, Floats& xErrors, std::int16_t length, std::int16_t direction) {
    MoveArrays({{xErrors, store.XErrorsRaw}}, length, direction);
}

void StoreYErrorsRaw(DataStore& store, Floats& yErrors, std::int16_t length, std::int16_t direction) {
    MoveArrays({{yErrors, store.YErrorsRaw}}, length, direction);
}

void StoreSheetChoices(DataStore& store, std::array<QString, 4>& texts, std::array<std::int16_t, 6>& choices,
                       std::int16_t direction) {
    Copy(texts, store.SheetTexts, direction);
    Copy(choices, store.SheetChoices, direction);
}

void StorePoints(DataStore& store, Floats& x, Floats& y, Floats& ySigma, std::int16_t length,
                 std::int16_t direction) {
    MoveArrays({{x, store.X}, {y, store.Y}, {ySigma, store.YSigma}}, length, direction);
}

void StoreUserFunction(DataStore& store, QString& text, std::int16_t direction) {
    Copy(text, store.UserFunctionText, direction);
}

void StoreCapacity(DataStore& store, std::int16_t& length, std::int16_t direction) {
    Copy(length, store.Capacity, direction);
}

void StoreGraphLabels(DataStore& store, QString& title, QString& xLabel, QString& yLabel,
                      std::array<float, 4>& limits, std::int16_t direction) {
    Copy(title, store.GraphTitle, direction);
    Copy(xLabel, store.GraphXLabel, direction);
    Copy(yLabel, store.GraphYLabel, direction);
    Copy(limits, store.GraphLimits, direction);
}

} // namespace frontend
