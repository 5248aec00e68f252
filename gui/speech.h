// Direct speech through speech-dispatcher, for a user who runs no screen
// reader, switched on by YZO_SPEECHD=1. The library is loaded at run time, so
// the program runs where it is not installed.
#pragma once
#include <memory>
#include <string>
#include <vector>

class DirectSpeech {
public:
    DirectSpeech();  // connects when YZO_SPEECHD=1 and the library is there
    ~DirectSpeech();
    DirectSpeech(const DirectSpeech&) = delete;
    DirectSpeech& operator=(const DirectSpeech&) = delete;
    bool active() const { return link_ != nullptr; }
    // Interrupts what is being said and says the texts, one after the other.
    void say(const std::vector<std::wstring>& texts);

private:
    struct Link;
    std::unique_ptr<Link> link_;
};
