#pragma once
// The end-of-run sound: the desktop sound theme's window bell, played through
// libcanberra by a worker thread that owns one sound context for the
// program's life. play() only queues a request, so the day that ends a run
// never waits for the sound system: opening it can take tens of milliseconds,
// and fails slowly when there is no server.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace noboria {

class EventSound final {
 public:
  // fallback runs on the worker, once for each sound that the sound system
  // could not play because it is not there. Sounds the user switched off
  // call nothing.
  explicit EventSound(std::function<void()> fallback);
  ~EventSound();
  EventSound(const EventSound&) = delete;
  EventSound& operator=(const EventSound&) = delete;

  // Queues one sound and returns at once.
  void play();

 private:
  void run();

  std::function<void()> fallback_;
  std::mutex mutex_;
  std::condition_variable wake_;
  int pending_ = 0;
  bool stopping_ = false;
  std::thread worker_;  // last: it starts once everything above exists
};

}  // namespace noboria
