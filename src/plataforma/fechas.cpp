#include "fechas.h"
