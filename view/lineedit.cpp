#include "lineedit.h"

#include <algorithm>

#include "textlayout.h"

namespace vaultmoor {

void LineEdit::Set(std::string_view utf8) {
    text_ = DecodeUtf8(utf8).substr(0, MaxLength);
    cursor_ = text_.size();
    scroll_ = 0;
}

std::string LineEdit::Text() const {
    return EncodeUtf8(text_);
}

void LineEdit::Insert(char32_t c) {
    // A control character is no text: it would break the line where the box shows it.
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || text_.size() >= MaxLength) return;
    text_.insert(cursor_++, 1, c);
}

void LineEdit::Left() {
    if (cursor_ > 0) --cursor_;
}

void LineEdit::Right() {
    if (cursor_ < text_.size()) ++cursor_;
}

void LineEdit::Home() {
    cursor_ = 0;
}

void LineEdit::End() {
    cursor_ = text_.size();
}

void LineEdit::Backspace() {
    if (cursor_ > 0) text_.erase(--cursor_, 1);
}

void LineEdit::Delete() {
    if (cursor_ < text_.size()) text_.erase(cursor_, 1);
}

void LineEdit::KeepInView(int width) {
    // The cursor may stand after the last character, so it needs a cell of its own.
    const auto w = static_cast<std::size_t>(std::max(1, width));
    if (cursor_ < scroll_) scroll_ = cursor_;
    if (cursor_ >= scroll_ + w) scroll_ = cursor_ - w + 1;
    // No empty cells at the end while there is text hidden at the start.
    if (scroll_ > 0 && text_.size() + 1 < scroll_ + w)
        scroll_ = text_.size() + 1 > w ? text_.size() + 1 - w : 0;
}

std::u32string LineEdit::Shown(int width) const {
    return text_.substr(std::min(scroll_, text_.size()),
                        static_cast<std::size_t>(std::max(0, width)));
}

}  // namespace vaultmoor
