#include "model/scenario_files.h"
