#include "ajustes.h"
