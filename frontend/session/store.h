// The store operations: copy items into the data store (direction 0) or out of it (direction 1);
// any other direction copies nothing, except -2 for StoreXSigma, which resizes the store's X sigmas
// keeping their first elements. The store checks nothing and reports nothing.
//
// Array items move with a length L (callers pass Capacity): L = 0 empties the store's arrays of the
// operation whatever the direction and leaves the caller's arrays alone; otherwise the receiving
// arrays are re-allocated to L elements. A sending array shorter than L sends zeros for the rest.
#ifndef FRONTEND_SESSION_STORE_H
#define FRONTEND_SESSION_STORE_H

#include "session/session.h"

namespace frontend {

inline constexpr std::int16_t IntoStore = 0;
inline constexpr std::int16_t OutOfStore = 1;
inline constexpr std::int16_t ResizeInStore = -2; // StoreXSigma only

using Params = std::array<float, ParamSlots>;
using VaryFlagArray = std::array<std::int16_t, ParamSlots>;
using Floats = std::vector<float>;

void StoreInitialParams(DataStore& store, Params& params, std::int16_t direction);
void StoreReducedChiSquare(DataStore& store, float& value, std::int16_t direction);
void StoreDataName(DataStore& store, QString& text, std::int16_t direction);
void StoreFunction(DataStore& store, std::int16_t& number, std::int16_t& paramCount, std::int16_t& heldCount,
                   VaryFlagArray& varyFlags, std::int16_t direction);
void StoreFitResults(DataStore& store, Params& params, Params& errors, std::int16_t direction);
void StoreXMode(DataStore& store, std::int16_t& mode, float& value, std::int16_t direction, bool& byDialog);
void StoreYMode(DataStore& store, std::int16_t& kind, std::int16_t& sub, float& value, std::int16_t direction,
                bool& byDialog);
void StorePointCount(DataStore& store, std::int16_t& count, std::int16_t direction);
void StoreXSigma(DataStore& store, Floats& xSigma, std::int16_t length, std::int16_t direction);
void StoreXErrorsRaw(DataStore& store, Floats& xErrors, std::int16_t length, std::int16_t direction);
void StoreYErrorsRaw(DataStore& store, Floats& yErrors, std::int16_t length, std::int16_t direction);
void StoreSheetChoices(DataStore& store, std::array<QString, 4>& texts, std::array<std::int16_t, 6>& choices,
                       std::int16_t direction);
void StorePoints(DataStore& store, Floats& x, Floats& y, Floats& ySigma, std::int16_t length,
                 std::int16_t direction);
void StoreUserFunction(DataStore& store, QString& text, std::int16_t direction);
void StoreCapacity(DataStore& store, std::int16_t& length, std::int16_t direction);
void StoreGraphLabels(DataStore& store, QString& title, QString& xLabel, QString& yLabel,
                      std::array<float, 4>& limits, std::int16_t direction);

} // namespace frontend

#endif
