#include "shell/program_identity.h"
