#include "base/program_identity.h"
