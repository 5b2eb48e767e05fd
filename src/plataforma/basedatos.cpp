#include "basedatos.h"
