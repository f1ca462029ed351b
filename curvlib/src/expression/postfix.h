// Conversion of an encoded user-function text (see ENCODE) from infix to postfix order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace curvlib {

// Operator-precedence conversion over single characters. Classes, lowest first: opening
// brackets ( { [, the end of the text, closing brackets ) } ], + -, * /, unary minus _, ^, and
// the function codes (every character from ';' to 'Z'); everything else is an operand and is
// copied as it comes. Equal classes leave the stack first, so two-operand operators are
// left-associative (2^3^2 is (2^3)^2); a unary minus is stacked without sending anything out,
// so it applies to what follows it (2^-1). The bracket kinds are interchangeable.
//
// text is the encoded text without its padding (at most 200 characters). When it ends in a
// number, the blank that ends the number is supplied here even if it fell off the end of the
// 200-character text, so the postfix text may be one character longer than its input.
//
// error is only ever set to 1 (never cleared), with message:
//   "Parser Error in RPN: Missing right bracket"  an opening bracket is never closed;
//   "Parser error in RPN"                          a closing bracket has nothing to close; the
//                                                  conversion stops there.
// completion is 1 when every bracket was matched, else 0. postfix holds the postfix text
// without padding; numbers in it keep the blank that ends them.
void RPN(std::string_view text, std::string& postfix, std::string& message, int16_t& error,
         int16_t& completion);

} // namespace curvlib
