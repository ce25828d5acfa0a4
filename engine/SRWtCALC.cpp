#include "SRWtCALC.h"
// Implemented with the reinforcement work.
