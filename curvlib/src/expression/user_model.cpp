// Placeholder until the expression evaluator lands: user-defined models cannot be evaluated yet.
#include "curvlib/curvlib.h"
#include "models.h"
#include "text_store.h"

namespace curvlib {

void USERFUNCSN(float, const float*, float&, float*, int16_t, int16_t& nparm, int16_t) {
    setMessage("User-defined functions are not available in this build.");
    nparm = -1;
}

} // namespace curvlib

extern "C" {
CURVLIB_API void tparsebuf(char*, const float*, const float*, const int16_t*, const int16_t*, double*, char* message,
                           int16_t* error) {
    curvlib::copyPadded(message, CURVLIB_MESSAGE_LEN, "User-defined functions are not available in this build.");
    *error = 1;
}
CURVLIB_API void chkparm(const char*, const int16_t*, const int16_t*, char*, int16_t* error) { *error = 0; }
CURVLIB_API void maprootbuf(const int16_t*) {}
}
