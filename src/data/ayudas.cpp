#include "ayudas.h"
