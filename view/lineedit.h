// The command box's line as it is being typed: the text, the cursor, and which part of a
// longer line the box shows. Plain C++; a text-mode front end keys into it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vaultmoor {

class LineEdit {
  public:
    // As many characters as the window's command box takes.
    static constexpr std::size_t MaxLength = 32767;

    // Replaces the text (UTF-8); the cursor goes to its end.
    void Set(std::string_view utf8);
    std::string Text() const;

    void Insert(char32_t c);  // at the cursor; no control character, nothing past MaxLength
    void Left();
    void Right();
    void Home();
    void End();
    void Backspace();
    void Delete();

    // Scrolls so that the cursor stands inside a box `width` cells wide.
    void KeepInView(int width);
    // The part of the line the box shows, and the cursor's column in it.
    std::u32string Shown(int width) const;
    int CursorColumn() const { return static_cast<int>(cursor_ - scroll_); }

  private:
    std::u32string text_;
    std::size_t cursor_ = 0;
    std::size_t scroll_ = 0;  // the first character shown
};

}  // namespace vaultmoor
