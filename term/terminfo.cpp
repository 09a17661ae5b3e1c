// Apart from the rest: <term.h> defines macros with common names (columns, lines).
#include "terminfo.h"

#include <curses.h>
#include <term.h>
#include <unistd.h>

namespace vaultmoor {

bool TerminalTypeKnown(const char* name) {
    int error = 0;
    TERMINAL* before = cur_term;
    if (setupterm(name, STDOUT_FILENO, &error) != OK) return false;
    del_curterm(set_curterm(before));
    return true;
}

}  // namespace vaultmoor
