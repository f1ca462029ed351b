// The platform services one run of the front end uses, handed to the screens together.
#ifndef FRONTEND_PLATFORM_SERVICES_H
#define FRONTEND_PLATFORM_SERVICES_H

#include "platform/dialogs.h"
#include "platform/help.h"
#include "platform/printers.h"
#include "platform/processes.h"
#include "platform/temp_dir.h"

namespace frontend {

struct Services {
    Dialogs& dialogs;
    Help& help;
    Processes& processes;
    Printers& printers;
    TempDir& tempDir;
};

} // namespace frontend

#endif
