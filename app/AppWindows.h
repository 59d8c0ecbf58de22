#pragma once
// Every window of the program is made once at start-up and lives until the end.

// Makes the main window first (it becomes MenuGlowne and builds the image), then every other
// window, owned by the main window.
void CreateAllWindows();
// Deletes the main window and with it every other window.
void DestroyAllWindows();
