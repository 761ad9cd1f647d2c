// The menu music: an upbeat tune with synthesised instruments, written as
// an XM module.
#pragma once

#include <string>

// Writes menu.xm into `folder` (which must exist). False, with a message,
// when the tune cannot be built or written.
bool MakeMusic(const std::string& folder);
