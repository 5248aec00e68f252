// speech-dispatcher belongs to Linux: on Windows a screen reader hears the
// messages as UI Automation notifications (access_msw.cpp), and direct
// speech is never active.
#include "speech.h"

struct DirectSpeech::Link {};
DirectSpeech::DirectSpeech() {}
DirectSpeech::~DirectSpeech() = default;
void DirectSpeech::say(const std::vector<std::wstring>&) {}
