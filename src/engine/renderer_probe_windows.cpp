// Windows has no cheap child process to ask in: the window itself is asked.
#include "engine/state.h"

DefaultRenderer ProbeDefaultRenderer() { return DefaultRenderer::Unknown; }
