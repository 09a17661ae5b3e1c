// What the screen reader hears after New Game and after a turn: the news, once.
//
// Two roads, one per reply. Where Windows has UI Automation notifications (10 1709 and
// later), a UI Automation client listens and no reader known to ignore them is loaded in the
// program (JAWS and Dolphin load a hook DLL into it), the news is a notification raised on a
// provider of our own, on a window of one pixel that is never painted: NVDA and Narrator speak
// it. Otherwise (JAWS, Dolphin, older Windows, Wine, whose notifications reach no one) the
// command box takes the news as its accessible name and says so with EVENT_OBJECT_NAMECHANGE:
// readers speak a name change of the focus. The box is named "Command" again as soon as the
// player types.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace vaultmoor::win {

class Speech {
  public:
    // `box` is the command box, which has the focus while news is told.
    Speech(HWND parent, HWND box);
    ~Speech();
    Speech(const Speech&) = delete;
    Speech& operator=(const Speech&) = delete;

    // Tells `news` (UTF-8); nothing when it is empty.
    void Tell(const std::string& news);
    // The box's text changed: its name is "Command" again, without a word to the reader.
    void Typed();
    // The answer to WM_GETOBJECT for the box, or 0.
    LRESULT BoxObject(WPARAM wp, LPARAM lp) const;

  private:
    static LRESULT CALLBACK NewsProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HWND box_;
    HWND news_ = nullptr;  // the notifications' window, 1 x 1, never painted
    struct Provider;
    Provider* provider_ = nullptr;
    std::shared_ptr<std::wstring> boxName_;
};

}  // namespace vaultmoor::win
