#pragma once

// Tells the user that a data file could not be rewritten for lack of permission (error 75), and how
// to run the program so that it can.
void avisopermiso();

// Whether the data may be changed; when the program runs on read-only data it says so with the
// permission message and answers false, and the caller changes nothing.
bool permiteCambios();

// Whether the program folder, its data files or the report database cannot be written, from the
// files as start-up opened them.
bool datosSoloLectura();
