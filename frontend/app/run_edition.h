// The whole of a main program: quorvex32 and tessaly32 differ only in the edition they hand over.
#ifndef FRONTEND_APP_RUN_EDITION_H
#define FRONTEND_APP_RUN_EDITION_H

#include "session/session.h"

namespace frontend {

int RunEdition(Edition edition, int argc, char** argv);

} // namespace frontend

#endif
