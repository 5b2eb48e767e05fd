// The summary of the statistics selection. Until it writes its report row and its two sentences,
// it only lets the filter boxes take the next click.
#include "ui/Principal.h"

void Principal::resumensorteos() { cambiandofiltros = 0; }
