#include "listview.h"
