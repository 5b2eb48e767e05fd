#include "tablas.h"
