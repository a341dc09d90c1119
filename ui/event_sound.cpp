#include "ui/event_sound.h"

#include <canberra.h>

#include <utility>

namespace noboria {

namespace {

// Null when there is no sound system to talk to.
ca_context* open_context() {
  ca_context* context = nullptr;
  if (ca_context_create(&context) != CA_SUCCESS) return nullptr;
  ca_context_change_props(context, CA_PROP_APPLICATION_NAME, "ノボリア", CA_PROP_APPLICATION_ID,
                          "org.example.Noboria", CA_PROP_APPLICATION_ICON_NAME, "noboria", nullptr);
  if (ca_context_open(context) != CA_SUCCESS) {
    ca_context_destroy(context);
    return nullptr;
  }
  return context;
}

int play_bell(ca_context* context) {
  if (context == nullptr) return CA_ERROR_NODRIVER;
  // The theme falls back from "bell-window-system" to "bell" by itself. Kept
  // in the server's cache for good, so that later plays start at once.
  return ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell-window-system", CA_PROP_EVENT_DESCRIPTION,
                         "シミュレーション終了", CA_PROP_MEDIA_ROLE, "event", CA_PROP_CANBERRA_CACHE_CONTROL,
                         "permanent", nullptr);
}

}  // namespace

EventSound::EventSound(std::function<void()> fallback)
    : fallback_(std::move(fallback)), worker_([this] { run(); }) {}

EventSound::~EventSound() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  worker_.join();
}

void EventSound::play() {
  {
    const std::lock_guard lock(mutex_);
    ++pending_;
  }
  wake_.notify_one();
}

void EventSound::run() {
  ca_context* context = open_context();
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || pending_ > 0; });
    if (stopping_) break;  // sounds still queued at exit are dropped
    --pending_;
    lock.unlock();
    const int result = play_bell(context);
    // Switched off by the user: silence. Any other failure: no sound system.
    if (result != CA_SUCCESS && result != CA_ERROR_DISABLED && fallback_) fallback_();
    lock.lock();
  }
  lock.unlock();
  if (context != nullptr) ca_context_destroy(context);
}

}  // namespace noboria
