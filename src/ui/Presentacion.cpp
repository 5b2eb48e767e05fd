#include "Presentacion.h"
