// Start-up under GTK: the streams are the terminal's, the screen the X or
// Wayland display.
#include "startup.h"

#include <cstdlib>
#include <iostream>

void useStartingConsole() {}

bool screenAvailable() {
    if (std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY")) return true;
    std::cerr << "yzo : aucun affichage (DISPLAY) pour ouvrir la fenêtre\n";
    return false;
}
