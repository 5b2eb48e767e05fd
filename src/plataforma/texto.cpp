#include "texto.h"
