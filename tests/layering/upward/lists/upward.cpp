#include "lists/listfile.h"

#include "report/report.h"
