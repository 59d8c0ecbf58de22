#include "core/AppState.h"

AppState App;

void ResetAppState() { App = AppState{}; }
