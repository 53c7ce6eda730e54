#include "model/post_elaborazione.h"
