#include "expression/tparse.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

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

// Conversions keyed by the exact 200 characters of the text and nparm. A fit evaluates the
// same one to eleven texts (the function and its derivatives) over and over, so the search
// starts at the entry found last; the bound only keeps a long session of typed texts from
// growing the table without end.
class ConversionCache {
  public:
    const Conversion& find(const char* text, int16_t nparm) {
        for (std::size_t n = 0, i = last_; n < entries_.size();
             ++n, i = i + 1 == entries_.size() ? 0 : i + 1) {
            if (entries_[i].nparm == nparm &&
                std::memcmp(entries_[i].text.data(), text, CURVLIB_TEXT_LEN) == 0) {
                last_ = i;
                return entries_[i].conversion;
            }
        }
        if (entries_.size() >= kMaxEntries) entries_.clear();
        Entry& entry = entries_.emplace_back();
        std::memcpy(entry.text.data(), text, CURVLIB_TEXT_LEN);
        entry.nparm = nparm;
        entry.conversion = convert(text, nparm);
        last_ = entries_.size() - 1;
        return entry.conversion;
    }
    void clear() {
        entries_.clear();
        last_ = 0;
    }

  private:
    struct Entry {
        std::array<char, CURVLIB_TEXT_LEN> text;
        int16_t nparm;
        Conversion conversion;
    };
    static constexpr std::size_t kMaxEntries = 64;
    std::vector<Entry> entries_;
    std::size_t last_ = 0;
};

ConversionCache cache;
bool cacheEnabled = true;

// Calls use with the conversion of text: the kept one, or a fresh one when keeping is switched off.
template <class Use> void withConversion(const char* text, int16_t nparm, Use use) {
    if (cacheEnabled)
        use(cache.find(text, nparm));
    else
        use(convert(text, nparm));
}

// Evaluates a converted text; message is set only on failure.
void evaluate(const Conversion& conversion, const float* a, float x, double& value, std::string& message,
              int16_t& error) {
    if (conversion.rpnError != 0) {
        error = 1;
        message = conversion.rpnMessage;
    } else if (conversion.evaluable) {
        runPostfix(conversion.program, a, x, message, error, value);
    }
}

} // namespace

void useConversionCache(bool enabled) {
    cacheEnabled = enabled;
    cache.clear();
}

void TPARSE(char* text, const float* a, float x, int16_t /*np*/, int16_t nparm, double& value, char* message,
            int16_t& error) {
    error = 0;
    std::string why;
    withConversion(text, nparm, [&](const Conversion& conversion) {
        std::memcpy(text, conversion.encoded.data(), CURVLIB_TEXT_LEN);
        evaluate(conversion, a, x, value, why, error);
    });
    copyPadded(message, CURVLIB_MESSAGE_LEN, why);
}

void evaluateText(const char* text, const float* a, float x, int16_t nparm, double& value,
                  std::string& message, int16_t& error) {
    error = 0;
    withConversion(text, nparm,
                   [&](const Conversion& conversion) { evaluate(conversion, a, x, value, message, error); });
}

} // namespace curvlib

extern "C" {

CURVLIB_API void tparsebuf(char* text, const float* a, const float* x, const int16_t* np,
                           const int16_t* nparm, double* value, char* message, int16_t* error) {
    curvlib::TPARSE(text, a, *x, *np, *nparm, *value, message, *error);
}

CURVLIB_API void chkparm(const char* text, const int16_t* nparm, const int16_t* maximum, char* message,
                         int16_t* error) {
    const std::string why = curvlib::CHKPARM({text, CURVLIB_TEXT_LEN}, *nparm, *maximum);
    *error = why.empty() ? 0 : 1;
    if (!why.empty()) curvlib::copyPadded(message, CURVLIB_MESSAGE_LEN, why);
}

} // extern "C"
