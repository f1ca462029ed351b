#include "app/tests/screen_fixture.h"
