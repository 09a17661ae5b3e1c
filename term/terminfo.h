#pragma once

namespace vaultmoor {

// Whether the terminal description of that name is installed.
bool TerminalTypeKnown(const char* name);

}  // namespace vaultmoor
