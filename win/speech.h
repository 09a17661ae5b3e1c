// What the screen reader hears after New Game and after a turn: the news, once.
//
// Three roads, one per reply. While JAWS runs (its window is up), its own API object says the
// news, queued behind what it is saying. Else, where Windows has UI Automation notifications
// (10 1709 and later), a UI Automation client listens and no reader known to ignore them is
// loaded in the program (JAWS and Dolphin load a hook DLL into it), the news is a notification
// raised on a provider of our own, on a window of one pixel that is never painted: NVDA and
// Narrator speak it. Otherwise (Dolphin, JAWS when its object fails, older Windows, Wine,
// whose notifications reach no one) the command box takes the news as its accessible name and
// says so with EVENT_OBJECT_NAMECHANGE: readers speak a name change of the focus. The box is
// named "Command" again as soon as the player types and whenever it loses the focus (a
// dialog, a menu, another program), so that coming back says the box, not the last reply.
// When the box has just taken the focus, the reply waits until a reader has read the box (it
// says "Command" for the focus), or half a second.
#pragma once

#include <oaidl.h>
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
    // The box took the focus, or a menu over it closed: the reader is about to say it.
    void Focused();
    // The box lost the focus, or a menu opened over it.
    void Blurred();
    // The answer to WM_GETOBJECT for the box, or 0.
    LRESULT BoxObject(WPARAM wp, LPARAM lp) const;

  private:
    static LRESULT CALLBACK NewsProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Name(const std::wstring& name);  // the box's name, said
    void Settled();                       // the reader has said the box
    bool Jaws(const std::wstring& text);  // said by JAWS's object

    HWND box_;
    HWND news_ = nullptr;  // the notifications' window, 1 x 1, never painted
    struct Provider;
    Provider* provider_ = nullptr;
    IDispatch* jaws_ = nullptr;  // JAWS's object, made at its first reply
    DISPID sayString_ = 0;
    struct Box;
    std::shared_ptr<Box> boxState_;
    std::wstring told_;     // the last reply named, with its mark
    std::wstring waiting_;  // a reply held until the focus has settled
    unsigned long replies_ = 0;
};

}  // namespace vaultmoor::win
