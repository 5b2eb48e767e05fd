#include "estado.h"
