#include "speech.h"

#include <cstdlib>
#include <cstring>

#include "app/textfile.h"

#if __has_include(<speech-dispatcher/libspeechd.h>)
#include <dlfcn.h>
#include <speech-dispatcher/libspeechd.h>

// The pointer types come from the library's own header, so that a change of
// its interface is a compile error rather than a crash.
struct DirectSpeech::Link {
    void* library = nullptr;
    SPDConnection* connection = nullptr;
    decltype(&spd_say) say = nullptr;
    decltype(&spd_cancel) cancel = nullptr;
    decltype(&spd_close) close = nullptr;
    ~Link() {
        if (connection && close) close(connection);
        if (library) dlclose(library);
    }
};

namespace {
template <typename F>
F symbol(void* library, const char* name) {
    return reinterpret_cast<F>(dlsym(library, name));
}
}  // namespace

DirectSpeech::DirectSpeech() {
    const char* on = std::getenv("YZO_SPEECHD");
    if (!on || std::strcmp(on, "1") != 0) return;
    auto link = std::make_unique<Link>();
    link->library = dlopen("libspeechd.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!link->library) return;
    auto open = symbol<decltype(&spd_open)>(link->library, "spd_open");
    auto language = symbol<decltype(&spd_set_language)>(link->library, "spd_set_language");
    link->say = symbol<decltype(&spd_say)>(link->library, "spd_say");
    link->cancel = symbol<decltype(&spd_cancel)>(link->library, "spd_cancel");
    link->close = symbol<decltype(&spd_close)>(link->library, "spd_close");
    if (!open || !link->say || !link->cancel || !link->close) return;
    link->connection = open("yzo", "main", nullptr, SPD_MODE_SINGLE);
    if (!link->connection) return;
    if (language) language(link->connection, "fr");
    link_ = std::move(link);
}

DirectSpeech::~DirectSpeech() = default;

void DirectSpeech::say(const std::vector<std::wstring>& texts) {
    if (!link_) return;
    link_->cancel(link_->connection);
    // Messages of priority "text" wait for each other: none cuts another short.
    for (const std::wstring& text : texts) link_->say(link_->connection, SPD_TEXT, toUtf8(text).c_str());
}
#else
// Built without speech-dispatcher's header: direct speech is never active.
struct DirectSpeech::Link {};
DirectSpeech::DirectSpeech() {}
DirectSpeech::~DirectSpeech() = default;
void DirectSpeech::say(const std::vector<std::wstring>&) {}
#endif
