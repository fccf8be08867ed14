#include "cli/clitool.h"
#include "views/mainframe.h"
