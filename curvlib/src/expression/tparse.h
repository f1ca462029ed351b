// The whole evaluation of a user-function text: ENCODE, UNARY_MINUS, RPN, FUNCP.
#pragma once

#include <cstdint>
#include <string>

namespace curvlib {

// Evaluates text[200] at x with the parameters a1 .. a(nparm) of a. Sets error to 0 and
// message[80] to blanks, writes the encoded text back into text, then: on success value is
// set; on failure error = 1, message says why and value is written only where FUNCP writes it.
// np plays no part.
//
// The encoding and postfix conversion of a text depend only on the text and nparm, so they
// are kept (with the decoded postfix program) keyed by exactly those, and a fit that
// evaluates the same few texts at every point does the string work once. What a caller sees
// is the same as converting afresh every time.
void TPARSE(char* text, const float* a, float x, int16_t np, int16_t nparm, double& value, char* message,
            int16_t& error);

// TPARSE for a text that is only read (the function-text store): the encoded text is not
// written anywhere, and message is set (without padding) only on failure.
void evaluateText(const char* text, const float* a, float x, int16_t nparm, double& value,
                  std::string& message, int16_t& error);

// For measurements only: false makes every TPARSE convert its text afresh (and forget what it
// had kept), true (the default) keeps the conversions.
void useConversionCache(bool enabled);

} // namespace curvlib
