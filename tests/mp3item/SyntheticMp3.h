#pragma once

// The synthetic MP3 files now live with the shared helpers.
#include "support/SyntheticMp3.h"
