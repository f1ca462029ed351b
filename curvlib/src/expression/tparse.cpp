#include "expression/tparse.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <unordered_map>

#include "curvlib/curvlib.h"
#include "expression/evaluator.h"
#include "expression/postfix.h"
#include "expression/tokenizer.h"
#include "text_store.h"

namespace curvlib {
namespace {

// What TPARSE makes of one text before any value is computed.
struct Conversion {
    std::array<char, CURVLIB_TEXT_LEN> encoded; // blank-padded, as written back to the caller
    int16_t rpnError = 0;
    std::string rpnMessage;
    bool evaluable = false; // no error, and every bracket matched
    PostfixProgram program; // decoded only when evaluable
};

Conversion convert(const char* text, int16_t nparm) {
    Conversion conversion;
    std::string working(text, CURVLIB_TEXT_LEN);
    ENCODE(working, nparm);
    UNARY_MINUS(working);
    copyPadded(conversion.encoded.data(), CURVLIB_TEXT_LEN, working);

    std::string postfix;
    int16_t completion = 0;
    RPN(working, postfix, conversion.rpnMessage, conversion.rpnError, completion);
    conversion.evaluable = conversion.rpnError == 0 && completion == 1;
    if (conversion.evaluable) conversion.program = compilePostfix(postfix, nparm);
    return conversion;
}

// Conversions keyed by the exact 200 characters of the text followed by nparm. A fit uses
// the function text and up to ten derivative texts; the bound only keeps a long session
// of typed texts from growing the table without end.
class ConversionCache {
public:
    const Conversion& find(const char* text, int16_t nparm) {
        key_.assign(text, CURVLIB_TEXT_LEN);
        key_.append(reinterpret_cast<const char*>(&nparm), sizeof nparm);
        if (last_ != nullptr && last_->first == key_) return last_->second;
        auto found = entries_.find(key_);
        if (found == entries_.end()) {
            if (entries_.size() >= kMaxEntries) entries_.clear();
            found = entries_.emplace(key_, convert(text, nparm)).first;
        }
        last_ = &*found;
        return found->second;
    }
    void clear() {
        entries_.clear();
        last_ = nullptr;
    }

private:
    static constexpr std::size_t kMaxEntries = 64;
    std::unordered_map<std::string, Conversion> entries_;
    const std::pair<const std::string, Conversion>* last_ = nullptr;
    std::string key_;
};

ConversionCache cache;
bool cacheEnabled = true;

} // namespace

void useConversionCache(bool enabled) {
    cacheEnabled = enabled;
    cache.clear();
}

void TPARSE(char* text, const float* a, float x, int16_t /*np*/, int16_t nparm, double& value, char* message,
            int16_t& error) {
    error = 0;
    copyPadded(message, CURVLIB_MESSAGE_LEN, "");
    Conversion uncached;
    const Conversion& conversion = cacheEnabled ? cache.find(text, nparm) : (uncached = convert(text, nparm));
    std::memcpy(text, conversion.encoded.data(), CURVLIB_TEXT_LEN);
    if (conversion.rpnError != 0) {
        error = 1;
        copyPadded(message, CURVLIB_MESSAGE_LEN, conversion.rpnMessage);
        return;
    }
    if (!conversion.evaluable) return;
    std::string why;
    runPostfix(conversion.program, a, x, why, error, value);
    if (error != 0) copyPadded(message, CURVLIB_MESSAGE_LEN, why);
}

} // namespace curvlib

extern "C" {

CURVLIB_API void tparsebuf(char* text, const float* a, const float* x, const int16_t* np, const int16_t* nparm,
                           double* value, char* message, int16_t* error) {
    curvlib::TPARSE(text, a, *x, *np, *nparm, *value, message, *error);
}

CURVLIB_API void chkparm(const char* text, const int16_t* nparm, const int16_t* maximum, char* message,
                         int16_t* error) {
    const std::string why = curvlib::CHKPARM({text, CURVLIB_TEXT_LEN}, *nparm, *maximum);
    *error = why.empty() ? 0 : 1;
    if (!why.empty()) curvlib::copyPadded(message, CURVLIB_MESSAGE_LEN, why);
}

} // extern "C"
