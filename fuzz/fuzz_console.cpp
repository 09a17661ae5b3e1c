// libFuzzer target: the terminal game's keys and sizes. Each byte below 0x20 is a special key,
// 0x20..0x7E a character, 0x80..0xFE the same with Alt (or a letter beyond ASCII), and 0xFF
// takes the next two bytes as a new terminal size. After every key the console is painted:
// the cursor inside the frame and only while the command line is there, and every cell one
// printable character.
#include <cstdio>
#include <cstdlib>

#include "console.h"

namespace {

using vaultmoor::Console;
using vaultmoor::Key;
using vaultmoor::KeyCode;

constexpr KeyCode Specials[] = {KeyCode::Enter,     KeyCode::Escape, KeyCode::Left, KeyCode::Right,
                                KeyCode::Up,        KeyCode::Down,   KeyCode::Home, KeyCode::End,
                                KeyCode::Backspace, KeyCode::Delete, KeyCode::F10,  KeyCode::Tab};
constexpr char32_t Wide[] = {U'\u00E9', U'\u2261', U'\u03C4', U'\uFFFD', U'\U0001F600', U'\0'};

Key KeyFor(std::uint8_t b) {
    if (b < 0x20) return {Specials[b % std::size(Specials)]};
    if (b < 0x7F) return {KeyCode::Char, b, false};
    if (b >= 0xF8) return {KeyCode::Char, Wide[b % std::size(Wide)], false};
    return {KeyCode::Char, static_cast<char32_t>(0x20 + b % 0x5F), true};
}

void Fail(const char* what) {
    std::fprintf(stderr, "fault: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Console console;
    int columns = 80, rows = 25;
    for (std::size_t i = 0; i < size && console.Running(); ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            columns = data[i + 1] % 160;
            rows = data[i + 2] % 64;
            i += 2;
        } else {
            console.Press(KeyFor(data[i]));
        }
        const vaultmoor::Frame f = console.Paint(columns, rows);
        if (f.cursor && !f.grid.Inside(f.cursor->x, f.cursor->y)) Fail("cursor off the frame");
        if (f.cursor && !console.State().frmMain.txtBox.Visible) Fail("cursor without a box");
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < columns; ++x)
                if (const char32_t c = f.grid.At(x, y).ch; c < 0x20 || (c >= 0x7F && c < 0xA0))
                    Fail("a control character painted");
    }
    return 0;
}
