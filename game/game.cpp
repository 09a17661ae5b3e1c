#include "game.h"

#include "rules.h"

namespace vaultmoor {

namespace {

// Commands are compared after folding ASCII capitals; nothing else is changed.
std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

Game::Game() : frmMain(DesignWindow()) {}

void Game::mnuNewGame_Click() {
    if (!Running) return;
    CurrentRoom = 0;
    for (int k = 1; k <= 9; ++k) Inventory(k) = "";
    for (int k = 1; k <= 10; ++k) GameFlags(k) = 0;
    for (int k = 0; k <= 9; ++k) lblText(k).Visible = false;
    lblText(10).Visible = true;
    lblText(11).Visible = true;
    lblText(11).Caption = StoryText;
    lblText(12).Visible = false;
    lblText(12).Caption = "";
    for (int k = 13; k <= 19; ++k) lblText(k).Visible = false;
    lblPressEnter().Caption = PromptStory;
    lblPressEnter().Visible = true;
    frmMain.txtBox.Visible = true;
    frmMain.txtBox.Text = "";
    frmMain.cmdEnter.Visible = true;
}

bool Game::Enter(std::string_view line) {
    if (!InputShown()) return false;
    frmMain.txtBox.Text = line;
    return cmdEnter_Click();
}

bool Game::cmdEnter_Click() {
    if (!InputShown()) return false;

    std::string command = LowerCase(frmMain.txtBox.Text);
    frmMain.txtBox.Text = "";
    if (command.empty()) command = "booga";
    lblText(12).Caption = "";

    // Rooms 28 and 29 are events: any Enter sets them off.
    if (CurrentRoom == 29) {
        CaveEscape(*this);
        return true;
    }
    if (CurrentRoom == 28 && LionEvent(*this) == TurnEnd::Stop) return true;

    // The sewage floor opens whatever else the turn does.
    if (command == "push floor" && CurrentRoom == 20) PushFloorEnding(*this);

    // A pending prompt takes the command first.
    const std::string& prompt = lblPressEnter().Caption;
    if (prompt == PromptYesNo) {
        if (CurrentRoom == 2) {
            AnswerKeepEating(*this, command);
            command = "";
            lblPressEnter().Caption = SeparatorLine;
        } else if (CurrentRoom == 19) {
            AnswerGoldMine(*this, command);
            return true;
        } else {
            lblPressEnter().Caption = SeparatorLine;
        }
    } else if (prompt == PromptGuard) {
        if (CurrentRoom == 2) {
            AnswerGuard(*this, command);
            return true;
        }
    } else if (prompt == PromptDead) {
        // The end-of-game screen.
        lblText(16).Visible = true;
        lblText(12).Visible = false;
        lblText(11).Visible = false;
        lblPressEnter().Visible = false;
        frmMain.txtBox.Visible = false;
        frmMain.cmdEnter.Visible = false;
        return true;
    }

    // The rules of the room the player is in; the first that takes the command decides.
    if (const Room* room = RoomRules(CurrentRoom)) {
        TurnEnd end = TurnEnd::Describe;
        bool taken = false;
        for (const Rule& rule : *room) {
            if (rule.Takes(command)) {
                end = rule.act(*this);
                taken = true;
                break;
            }
        }
        if (!taken) ShowText("What?");
        if (end == TurnEnd::Stop) return true;
    }
    DescribeRoom();
    return true;
}

void Game::ShowText(std::string_view s) {
    lblText(12).Caption = s;
}

void Game::AppendLine(std::string_view s) {
    std::string& c = lblText(12).Caption;
    c += CR;
    c += s;
}

void Game::AppendParagraph(std::string_view s) {
    std::string& c = lblText(12).Caption;
    c += CR;
    c += CR;
    c += s;
}

}  // namespace vaultmoor
