// The program's own version; the resource script and the update check share it.
#pragma once

#define TIDEWRACK_VERSION_MAJOR 1
#define TIDEWRACK_VERSION_MINOR 0
#define TIDEWRACK_VERSION_PATCH 0
#define TIDEWRACK_VERSION_TEXT "1.0.0"
