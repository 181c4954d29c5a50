#pragma once
// Helpers for tests that create real windows in-process.
#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "ui/message.h"

namespace testing_support {

// Answers every message box in-process with scripted replies and records what
// was asked. Restores the real message box when it goes out of scope.
class MessageScript {
public:
    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    void Answer(int reply) { replies_.push_back(reply); }
    const std::vector<ui::MessageRequest>& Asked() const { return asked_; }
    size_t Count() const { return asked_.size(); }
    const ui::MessageRequest& Last() const { return asked_.back(); }

private:
    std::deque<int> replies_;
    std::vector<ui::MessageRequest> asked_;
};

// Processes pending messages of this thread.
void Pump();

// Rectangle of a control in its parent's client coordinates.
RECT RectIn(HWND control);

// Character height (cell height less internal leading) of a window's font.
int FontCharHeight(HWND control);
std::wstring FontFace(HWND control);
LOGFONTW FontOf(HWND control);

// Client size of a window.
SIZE ClientSize(HWND hwnd);

std::wstring TextOf(HWND hwnd);

}  // namespace testing_support
