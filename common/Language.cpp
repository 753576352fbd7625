#include "common/Language.h"

namespace language {

int Flag = 1;

} // namespace language
