#pragma once

// Switches the running state of a search: "Stop" in place of "Suche" while x is true.
void Laufen(bool x);
