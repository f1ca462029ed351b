// libFuzzer target for the user-function texts: tparsebuf (with and without the kept
// conversions, which must agree), chkparm and the user-defined models of funcsnbuf on
// arbitrary 200-character texts with arbitrary parameter counts and values.
//
// Input: nparm (2 bytes), maximum (2 bytes), z (4 bytes), a1..a10 (40 bytes), then the text.
#include <cstdint>
#include <cstring>
#include <string>

#include "curvlib/curvlib.h"
#include "expression/tparse.h"

namespace {

constexpr std::size_t kHeader = 48;

struct Outcome {
    std::string text, message;
    double value = 0;
    int16_t error = 0;
};

// One tparsebuf call on a copy of text, inside guard bytes that must stay as they are.
Outcome tparse(const std::string& text, const float* a, float z, int16_t nparm) {
    std::string buffer = "GUARD" + text + "GUARD";
    std::string message = "GUARD" + std::string(CURVLIB_MESSAGE_LEN, '?') + "GUARD";
    Outcome out;
    const int16_t np = 10;
    tparsebuf(buffer.data() + 5, a, &z, &np, &nparm, &out.value, message.data() + 5, &out.error);
    if (buffer.compare(0, 5, "GUARD") != 0 || buffer.compare(5 + CURVLIB_TEXT_LEN, 5, "GUARD") != 0)
        __builtin_trap();
    if (message.compare(0, 5, "GUARD") != 0 || message.compare(5 + CURVLIB_MESSAGE_LEN, 5, "GUARD") != 0)
        __builtin_trap();
    if (out.error != 0 && out.error != 1) __builtin_trap();
    out.text = buffer.substr(5, CURVLIB_TEXT_LEN);
    out.message = message.substr(5, CURVLIB_MESSAGE_LEN);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    uint8_t header[kHeader] = {};
    std::memcpy(header, data, size < kHeader ? size : kHeader);
    int16_t nparm, maximum;
    float z, a[10];
    std::memcpy(&nparm, header, 2);
    std::memcpy(&maximum, header + 2, 2);
    std::memcpy(&z, header + 4, 4);
    std::memcpy(a, header + 8, 40);
    std::string text;
    if (size > kHeader) text.assign(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    text.resize(CURVLIB_TEXT_LEN, ' ');

    curvlib::useConversionCache(true);
    const Outcome kept = tparse(text, a, z, nparm);
    curvlib::useConversionCache(false);
    const Outcome fresh = tparse(text, a, z, nparm);
    curvlib::useConversionCache(true);
    if (kept.text != fresh.text || kept.message != fresh.message || kept.error != fresh.error ||
        std::memcmp(&kept.value, &fresh.value, sizeof(double)) != 0)
        __builtin_trap();

    char message[CURVLIB_MESSAGE_LEN];
    int16_t error = -1;
    chkparm(text.data(), &nparm, &maximum, message, &error);
    if (error != 0 && error != 1) __builtin_trap();

    // The user-defined models read the text from the store; a and dyda hold 10 values.
    const int16_t store = 0;
    for (int16_t slot = 0; slot < CURVLIB_TEXT_SLOTS; ++slot)
        holdstringbuf(text.data(), message, &store, &slot);
    for (int16_t funcnum : {int16_t{11}, int16_t{12}}) {
        int16_t count = static_cast<int16_t>(static_cast<uint16_t>(nparm) % 11);
        const int16_t np = 10;
        float y = 0, dyda[10] = {};
        funcsnbuf(&z, a, &y, dyda, &funcnum, &count, &np);
        if (count != -1 && count != static_cast<int16_t>(static_cast<uint16_t>(nparm) % 11)) __builtin_trap();
    }
    return 0;
}
