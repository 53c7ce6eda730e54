#include "model/competition_codes.h"
