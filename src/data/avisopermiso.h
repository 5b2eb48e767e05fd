#pragma once

// Tells the user that a data file could not be rewritten for lack of permission (error 75), and how
// to run the program so that it can.
void avisopermiso();
