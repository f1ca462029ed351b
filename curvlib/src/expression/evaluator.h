// Evaluation of a postfix user-function text (see RPN) for one z and one set of parameters,
// in 64-bit arithmetic with a value stack.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace curvlib {

// The value stack: 255 values, of which a postfix text of 201 characters uses at most 201.
constexpr int kValueStackSize = 255;
struct ValueStack {
    int count = 0;
    std::array<double, kValueStackSize> values;
};

inline void PUSH(double value, ValueStack& stack) {
    if (stack.count < kValueStackSize) stack.values[stack.count++] = value;
}

// The top value, or, when the stack is empty, 0 with flag set (the caller stops on the flag).
inline double POP(ValueStack& stack, bool& flag) {
    if (stack.count > 0) return stack.values[--stack.count];
    flag = true;
    return 0;
}

double ARCSINH(double v); // ln(v + sqrt(v^2 + 1))
double ARCCOSH(double v); // ln(v + sqrt(v^2 - 1))
double ARCTANH(double v); // ln((1 + v) / (1 - v)) / 2

// The square-root mapping switch: mode 0 stores value (1 = the square root of a negative
// number gives 0, anything else = it is an error), mode 1 reads it into value, other modes
// do nothing.
void MAPROOT(int16_t& value, int16_t mode);

// A postfix text decoded once into instructions, so that it can be evaluated many times.
// Decoding never fails: an instruction that cannot be carried out fails when it is reached,
// exactly where the character-by-character evaluation would fail.
struct PostfixProgram {
    // In three runs: no operand, two operands (Add .. Power), one operand (Negate ..).
    // clang-format off
    enum class Op : uint8_t {
        Number, Variable, Parameter, Pi, E,
        UnknownCharacter, // reported, then the previous value is pushed again
        BadNumber,        // a run of digits and points that is not a number
        Add, Subtract, Multiply, Divide, Power,
        Negate, Abs, Exp, Ln, Log10, Sqrt, Sin, Cos, Tan, Asin, Acos, Atan, Sinh, Cosh, Tanh,
        Asinh, Acosh, Atanh,
    };
    // clang-format on
    struct Instruction {
        Op op;
        unsigned char character = 0; // UnknownCharacter: the character
        int index = 0;               // Parameter: 0-based parameter; BadNumber: into badNumbers
        double number = 0;           // Number: its value
    };
    std::vector<Instruction> code;
    std::vector<std::string> badNumbers;
};

// Decodes postfix. Parameter codes are recognised for a1 .. a(nparm), at most a10; any
// other character code of 127 and above is an unknown character.
PostfixProgram compilePostfix(std::string_view postfix, int16_t nparm);

// Evaluates program at z with the parameters a (only those the text names are read). On
// success value is set and error is not touched. On failure error = 1 and message says why;
// value is 0.0 when the text left no value or more than one on the stack, and not written for
// the other failures. An unknown character sets error and message but the evaluation goes on.
void runPostfix(const PostfixProgram& program, const float* a, float z, std::string& message, int16_t& error,
                double& value);

// The evaluator of a postfix text: compilePostfix, then runPostfix. np plays no part.
void FUNCP(const float* a, int16_t np, float z, std::string_view postfix, int16_t nparm, std::string& message,
           int16_t& error, double& value);

} // namespace curvlib
