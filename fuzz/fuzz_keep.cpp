// The page's kept game as it comes back from storage: any bytes. What is brought back is
// exactly what would be kept again, and anything else leaves the game as it was.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "keep.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vaultmoor;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Game game;
    CommandHistory history;
    KeptGame kept;
    if (kept.Restore(text, game, history) ? kept.Text() != text || !game.Running
                                          : game.frmMain.txtBox.Visible || history.Size())
        std::abort();
    return 0;
}
