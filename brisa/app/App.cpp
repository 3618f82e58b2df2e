#include "App.h"

namespace brisa {
namespace {

std::unique_ptr<ztklink::CommZTK90> makeDriver(App::Options& o) {
    if (!o.port) return std::make_unique<ztklink::CommZTK90>();
    static ztklink::QtTimerFactory realTimers;
    return std::make_unique<ztklink::CommZTK90>(std::move(o.port), o.timers ? *o.timers : realTimers);
}

}  // namespace

App::App(MessagePresenter& messages_, QObject* parent) : App(messages_, Options{}, parent) {}

App::App(MessagePresenter& messages_, Options options, QObject* parent)
    : QObject(parent),
      messages(messages_),
      ZTK90(makeDriver(options)),
      files(session, form, messages_),
      handlers(form, session, files, messages_,
               [this](int port) { return ZTK90->setCOMM(port); }),
      blocks(form, session) {
    // The control as a host keeps it: loaded from an empty property store, its defaults.
    ZTK90->readProperties(ztklink::MemoryPropertyStore{});
}

App::~App() = default;

}  // namespace brisa
