#include "expression/postfix.h"

#include <vector>

#include "expression/tokenizer.h"

namespace curvlib {
namespace {

enum Class : int {
    kOperand = -1,
    kOpening = 0,
    kEnd = 1,
    kClosing = 2,
    kAddSubtract = 3,
    kMultiplyDivide = 4,
    kUnaryMinus = 5,
    kPower = 6,
    kFunction = 7,
};

// Below every class, so nothing is ever sent out from under it.
constexpr int kStackBase = -2;

int classOf(char c) {
    switch (c) {
    case '(':
    case '{':
    case '[':
        return kOpening;
    case ')':
    case '}':
    case ']':
        return kClosing;
    case '+':
    case '-':
        return kAddSubtract;
    case '*':
    case '/':
        return kMultiplyDivide;
    case '_':
        return kUnaryMinus;
    case '^':
        return kPower;
    default:
        return (c >= ';' && c <= 'Z') ? kFunction : kOperand;
    }
}

struct Entry {
    char character;
    int klass;
};

} // namespace

void RPN(std::string_view text, std::string& postfix, std::string& message, int16_t& error,
         int16_t& completion) {
    std::size_t length = trimmedLength(text);
    if (length > 0 && isNumberCharacter(text[length - 1])) ++length;
    // Position `length` (0-based) is the end of the text; positions past text are blanks.
    const auto at = [text](std::size_t i) { return i < text.size() ? text[i] : ' '; };

    postfix.clear();
    std::vector<Entry> stack{{' ', kStackBase}};
    for (std::size_t i = 0; i <= length; ++i) {
        const char c = at(i);
        const int p = i == length ? kEnd : classOf(c);
        if (p >= kEnd && p != kUnaryMinus) {
            while (stack.back().klass >= p) {
                postfix += stack.back().character;
                stack.pop_back();
            }
        }
        if (p == kOperand) {
            postfix += c;
        } else if (p == kEnd) {
            break;
        } else if (p != kClosing) {
            stack.push_back({c, p});
        } else if (stack.back().klass == kOpening) {
            stack.pop_back();
        } else {
            error = 1;
            message = "Parser error in RPN";
            completion = 0;
            return;
        }
    }
    if (stack.back().klass == kOpening) {
        error = 1;
        message = "Parser Error in RPN: Missing right bracket";
    }
    completion = stack.size() == 1 ? 1 : 0;
}

} // namespace curvlib
