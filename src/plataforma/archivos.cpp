#include "archivos.h"
