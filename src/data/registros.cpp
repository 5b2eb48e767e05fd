#include "registros.h"
