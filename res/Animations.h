// Resource numbers of the program's own progress animations (res/Animations.rc).
#pragma once

#define ANIMATION_DELETE_FILES 151
#define ANIMATION_COPY_FILES 152
#define ANIMATION_DOWNLOAD 153
